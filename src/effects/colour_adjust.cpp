#include "effects/colour_adjust.h"

#include "common/vector_dispatch.h"

#include <cmath>
#include <cstring>

int BrightnessStep = 10;
int SaturationStep = 10;
int HueShift = 0;

int32_t LumaPlane[PlaneCapacity];
int32_t ChromaRPlane[PlaneCapacity];
int32_t ChromaBPlane[PlaneCapacity];
int32_t ChromaMagnitudePlane[PlaneCapacity];
int32_t ChromaHuePlane[PlaneCapacity];

void (*ShowPlanesHook)(const ColorPlanes& picture) = nullptr;

namespace {

// The constants as chosen, pi included (3.141592658): results are compared bit for bit.
constexpr double Pi = 3.141592658;
constexpr double BlueWeight = 0.11, RedWeight = 0.3, GreenWeight = 0.59;
constexpr double RedDiffWeight = 0.7, BlueDiffWeight = 0.89;
constexpr double GreenFromRedDiff = 0.5084745762711864, GreenFromBlueDiff = 0.1864406779661017;

// sin and cos of (float)(h * Pi / 180) for the whole-degree hues 0..360, correctly rounded. Kept
// as literals because the C runtimes disagree in the last bit at a few of them, and the picture
// must come out the same on every system.
// clang-format off
const double SinOfHue[361] = {
    0x0p+0, 0x1.1df0b29375714p-6, 0x1.1de58c7a59ba9p-5, 0x1.acbc7556f791ap-5,
    0x1.1db8f6b1926bcp-4, 0x1.64fd6ade5db9dp-4, 0x1.ac260a7aede34p-4, 0x1.f32d450374d55p-4,
    0x1.1d06c9440ca48p-3, 0x1.4060b70edcca8p-3, 0x1.63a1a734e96d9p-3, 0x1.86c6dde40ff5p-3,
    0x1.a9cd9b88068d2p-3, 0x1.ccb322f3a8983p-3, 0x1.ef74bf6b63937p-3, 0x1.0907dc92156f4p-2,
    0x1.1a40adaf6f9bbp-2, 0x1.2b637c39785e5p-2, 0x1.3c6ef401d5b3bp-2, 0x1.4d61bcf49466p-2,
    0x1.5e3a86a4b1cf1p-2, 0x1.6ef802a082ea5p-2, 0x1.7f98defa4f6bbp-2, 0x1.901bd1a004b64p-2,
    0x1.a07f92c752d25p-2, 0x1.b0c2d795da5acp-2, 0x1.c0e45d3c13315p-2, 0x1.d0e2e37d09444p-2,
    0x1.e0bd2779dd16ap-2, 0x1.f071ee8813659p-2, 0x1.0000006c6422dp-1, 0x1.07b3115a25502p-1,
    0x1.0f5193cb49a3fp-1, 0x1.16daedea7e46dp-1, 0x1.1e4e879bbe292p-1, 0x1.25abcf7393f3p-1,
    0x1.2cf230c0d77f7p-1, 0x1.342118b009bd8p-1, 0x1.3b37fb124d46ap-1, 0x1.423648c2fa268p-1,
    0x1.491b749e1d9ecp-1, 0x1.4fe6f813cf42ap-1, 0x1.569849f058105p-1, 0x1.5d2ee3225a9cap-1,
    0x1.63aa43174ecd9p-1, 0x1.6a09e6ecb41fep-1, 0x1.704d4e0288aacp-1, 0x1.7673fe1ddc1p-1,
    0x1.7c7d7b093b13ap-1, 0x1.82694af0402dp-1, 0x1.8836fa4556e5ap-1, 0x1.8de613d740dcdp-1,
    0x1.937624f2b1226p-1, 0x1.98e6c10883e7cp-1, 0x1.9e377a3deadffp-1, 0x1.a367e5512d4ap-1,
    0x1.a8779cfdc46f9p-1, 0x1.ad663b0c67406p-1, 0x1.b2335bf833a74p-1, 0x1.b6dea20e4eb3p-1,
    0x1.bb67af02ad942p-1, 0x1.bfce284b526afp-1, 0x1.c411b42fc3a0cp-1, 0x1.c8320162b4617p-1,
    0x1.cc2ebb94ce601p-1, 0x1.d007932d57debp-1, 0x1.d3bc3b5ff6bafp-1, 0x1.d74c6a32ad8bfp-1,
    0x1.dab7d704078ecp-1, 0x1.ddfe409fa8ff3p-1, 0x1.e11f641446b29p-1, 0x1.e41b02e8cacc7p-1,
    0x1.e6f0e1911810fp-1, 0x1.e9a0c772aea27p-1, 0x1.ec2a7dced54dfp-1, 0x1.ee8dd44103ed6p-1,
    0x1.f0ca99f1bcf9bp-1, 0x1.f2e0a236c7b58p-1, 0x1.f4cfc36b4854bp-1, 0x1.f697d6f2ff52cp-1,
    0x1.f838b88b7b668p-1, 0x1.f9b24927c3425p-1, 0x1.fb046a9324abfp-1, 0x1.fc2f026f8a9b8p-1,
    0x1.fd31f974282c1p-1, 0x1.fe0d3b6f496efp-1, 0x1.fec0b7007851ap-1, 0x1.ff4c5ec961921p-1,
    0x1.ffb0278cd6d91p-1, 0x1.ffec0982db63ep-1, 0x1.ffffffffffff7p-1, 0x1.ffec09879f4c4p-1,
    0x1.ffb027965e4bdp-1, 0x1.ff4c5ed7abd0fp-1, 0x1.fec0b713843f5p-1, 0x1.fe0d3b2dd6346p-1,
    0x1.fd31f925a9203p-1, 0x1.fc2f0290d12fp-1, 0x1.fb046ab924c4fp-1, 0x1.f9b2495279ea4p-1,
    0x1.f838b8bae548ap-1, 0x1.f697d663b54d9p-1, 0x1.f4cfc2cf26676p-1, 0x1.f2e0a274339f4p-1,
    0x1.f0ca9a33cb23bp-1, 0x1.ee8dd487af30fp-1, 0x1.ec2a7e1a18284p-1, 0x1.e9a0c6971fb7fp-1,
    0x1.e6f0e0a9092d5p-1, 0x1.e41b0341afc62p-1, 0x1.e11f6471a9a81p-1, 0x1.ddfe410182a83p-1,
    0x1.dab7d76a5049dp-1, 0x1.d74c690d418cap-1, 0x1.d3bc3a2e85c0fp-1, 0x1.d00791eff9bb8p-1,
    0x1.cc2ebc0c80331p-1, 0x1.c832000dc716cp-1, 0x1.c411b4aff359fp-1, 0x1.bfce28cfb2411p-1,
    0x1.bb67ad8b33368p-1, 0x1.b6dea29aef7c3p-1, 0x1.b2335a6a4175ep-1, 0x1.ad663a8a42329p-1,
    0x1.a8779eb4c2231p-1, 0x1.a367e4c81e0dbp-1, 0x1.9e377ade68a28p-1, 0x1.98e6bf449422ap-1,
    0x1.9376259acb6c9p-1, 0x1.8de610bc730aap-1, 0x1.8836f9abbdd37p-1, 0x1.82694cf34930ap-1,
    0x1.7c7d7912be3e5p-1, 0x1.7673fed813407p-1, 0x1.704d4bf8e0401p-1, 0x1.6a09e643bc79bp-1,
    0x1.63aa454c056ebp-1, 0x1.5d2ee27397b5fp-1, 0x1.56984abb41587p-1, 0x1.4fe6f5dd0e516p-1,
    0x1.491b756f47921p-1, 0x1.42364b251227fp-1, 0x1.3b37fa5600826p-1, 0x1.34211b2300887p-1,
    0x1.2cf22e614e3e8p-1, 0x1.25abd0533e14ep-1, 0x1.1e4e852d2c0d6p-1, 0x1.16daed221682fp-1,
    0x1.0f5196650af13p-1, 0x1.07b3108d520d1p-1, 0x1.00000158daae8p-1, 0x1.f071e9667955cp-2,
    0x1.e0bd2797f62c2p-2, 0x1.d0e2e8f3feb02p-2, 0x1.c0e45b8e87d3bp-2, 0x1.b0c2db54ce6fep-2,
    0x1.a07f8d6b42394p-2, 0x1.901bd396b1f3fp-2, 0x1.7f98d7af0b27ap-2, 0x1.6ef800e257986p-2,
    0x1.5e3a8c68183ffp-2, 0x1.4d61b94c997ccp-2, 0x1.3c6ef60932053p-2, 0x1.2b63769d2f452p-2,
    0x1.1a40add0341aap-2, 0x1.0907e27eac1dcp-2, 0x1.ef74b9db2a6eep-3, 0x1.ccb32b0198e59p-3,
    0x1.a9cd900dd7acap-3, 0x1.86c6e01d943a3p-3, 0x1.63a197b64795ep-3, 0x1.4060b35ece6fcp-3,
    0x1.1d06d36ea5f69p-3, 0x1.f32d33ad23c01p-4, 0x1.ac2612f750c08p-4, 0x1.64fd4f8179d69p-4,
    0x1.1db8f53ad6ddap-4, 0x1.acbca65675277p-5, 0x1.1de5738ef1921p-5, 0x1.1df0eab2adef8p-6,
    -0x1.777a5cf72cec6p-24, -0x1.1df0a67285c39p-6, -0x1.1de55172db63dp-5, -0x1.acbc844105d3dp-5,
    -0x1.1db8e434c6d24p-4, -0x1.64fd7e430cadp-4, -0x1.ac2601fe8b059p-4, -0x1.f32d6242dff42p-4,
    -0x1.1d06cafb8dd1p-3, -0x1.4060aaf158d9bp-3, -0x1.63a1aed2a85ecp-3, -0x1.86c6d7bd5c022p-3,
    -0x1.a9cda702356a2p-3, -0x1.ccb322b13ad24p-3, -0x1.ef74b193b2b0ep-3, -0x1.0907de5fb611p-2,
    -0x1.1a40a9b6561fcp-2, -0x1.2b6381d5c175p-2, -0x1.3c6ef1fa7961dp-2, -0x1.4d61c464c551bp-2,
    -0x1.5e3a8865c8ed8p-2, -0x1.6ef7fce6b5372p-2, -0x1.7f98e29023fd1p-2, -0x1.901bcfa957782p-2,
    -0x1.a07f98236367fp-2, -0x1.b0c2d776f56abp-2, -0x1.c0e457b8e39d6p-2, -0x1.d0e2e526dbdc9p-2,
    -0x1.e0bd23d3a0965p-2, -0x1.f071f3a9ad712p-2, -0x1.fffffeffdb2dbp-2, -0x1.07b31594b5d49p-1,
    -0x1.0f519495ef0dep-1, -0x1.16daeb581994cp-1, -0x1.1e4e8a0a50427p-1, -0x1.25abce93e9d0cp-1,
    -0x1.2cf2332060bdep-1, -0x1.3421196ee073bp-1, -0x1.3b37f8a7adbecp-1, -0x1.4236497cae495p-1,
    -0x1.491b73ccf3ab1p-1, -0x1.4fe6fa4a9031p-1, -0x1.569849256ec7cp-1, -0x1.5d2ee0e43584ap-1,
    -0x1.63aa43c332c77p-1, -0x1.6a09e4c197f88p-1, -0x1.704d500c31125p-1, -0x1.7673fd63a4df3p-1,
    -0x1.7c7d7cffb7e5bp-1, -0x1.82694b8d05186p-1, -0x1.8836fd7126ddp-1, -0x1.8de6146da21adp-1,
    -0x1.9376244a96d7bp-1, -0x1.98e6bdfbef41bp-1, -0x1.9e377e5135d1cp-1, -0x1.a367e8259420fp-1,
    -0x1.a8779d8363cap-1, -0x1.ad663960d672bp-1, -0x1.b2335948df806p-1, -0x1.b6dea5a07a268p-1,
    -0x1.bb67b07a27edfp-1, -0x1.bfce27c6f2946p-1, -0x1.c411b3af93e72p-1, -0x1.c831ff15dbdbap-1,
    -0x1.cc2ebe9ee53e5p-1, -0x1.d007946ab5fe1p-1, -0x1.d3bc3af0e822ap-1, -0x1.d74c6837e1e59p-1,
    -0x1.dab7d51e25ebap-1, -0x1.ddfe431bbf52p-1, -0x1.e11f65151e427p-1, -0x1.e41b028fe5d22p-1,
    -0x1.e6f0e0004909fp-1, -0x1.e9a0c4cc130b1p-1, -0x1.ec2a7fb813c91p-1, -0x1.ee8dd50360852p-1,
    -0x1.f0ca99afaecf3p-1, -0x1.f2e0a1130234bp-1, -0x1.f4cfc4dc50ff2p-1, -0x1.f697d7824953cp-1,
    -0x1.f838b90de258ap-1, -0x1.f9b248fd0c99ep-1, -0x1.fb0469dea127ap-1, -0x1.fc2f0347da9b8p-1,
    -0x1.fd31f9c2a733bp-1, -0x1.fe0d3b577d503p-1, -0x1.fec0b6ed6c636p-1, -0x1.ff4c5e857fbcdp-1,
    -0x1.ffb027cac8bcdp-1, -0x1.ffec098ff682bp-1, -0x1.fffffffffffffp-1, -0x1.ffec098c63342p-1,
    -0x1.ffb027c3a2671p-1, -0x1.ff4c5e7ac6e84p-1, -0x1.fec0b6df21ec7p-1, -0x1.fe0d3b45a2542p-1,
    -0x1.fd31f9ad3d16ep-1, -0x1.fc2f032ee3098p-1, -0x1.fb0469c21e0c9p-1, -0x1.f9b248dd00354p-1,
    -0x1.f838b8ea4f2a2p-1, -0x1.f697d75b3221ap-1, -0x1.f4cfc4b1b8d5bp-1, -0x1.f2e0a0e4ec6p-1,
    -0x1.f0ca997e1eed9p-1, -0x1.ee8dd4ce5a73ep-1, -0x1.ec2a7f7f9baacp-1, -0x1.e9a0c4902d40dp-1,
    -0x1.e6f0dfc0fa45ap-1, -0x1.e41b024d33038p-1, -0x1.e11f64cf0c9d1p-1, -0x1.ddfe42d2544c8p-1,
    -0x1.dab7d4d16739dp-1, -0x1.d74c67e7d5896p-1, -0x1.d3bc3a9d945a2p-1, -0x1.d00794142148ap-1,
    -0x1.cc2ebe45165c5p-1, -0x1.c831feb8d9c83p-1, -0x1.c411b34f65e8bp-1, -0x1.bfce2763a02afp-1,
    -0x1.bb67b013b8d85p-1, -0x1.b6dea536f6617p-1, -0x1.b23358dc4f40dp-1, -0x1.ad6638f142355p-1,
    -0x1.a8779d10d4425p-1, -0x1.a367e7b0123dep-1, -0x1.9e377dd8cabdp-1, -0x1.98e6bd80a45ap-1,
    -0x1.937623cc75bf9p-1, -0x1.8de613ecb4a81p-1, -0x1.8836fced771d7p-1, -0x1.826950463923cp-1,
    -0x1.7c7d771c4165dp-1, -0x1.7673fcd7eca99p-1, -0x1.704d4f7de0e58p-1, -0x1.6a09e9d8e2826p-1,
    -0x1.63aa3d6e9ee3ap-1, -0x1.5d2ee04e60ce8p-1, -0x1.5698488d2fac5p-1, -0x1.4fe6f9aff28f7p-1,
    -0x1.491b7950df74ep-1, -0x1.423642a5df9e2p-1, -0x1.3b37f8063d96cp-1, -0x1.342118cb43122p-1,
    -0x1.2cf2327aa2e5p-1, -0x1.25abd479b7fdp-1, -0x1.1e4e82be99ef3p-1, -0x1.16daeaac48831p-1,
    -0x1.0f5193e8322c2p-1, -0x1.07b314e51aaf1p-1, -0x1.000005bc20925p-1, -0x1.f071e444df41dp-2,
    -0x1.e0bd2269da21p-2, -0x1.d0e2e3b9c8168p-2, -0x1.c0e464aa14d9bp-2, -0x1.b0c2e483d9351p-2,
    -0x1.a07f880f319cbp-2, -0x1.901bce302d8afp-2, -0x1.7f98e1143d7d6p-2, -0x1.6ef80a5821c8ap-2,
    -0x1.5e3a77dbc72ddp-2, -0x1.4d61b3c0838e1p-2, -0x1.3c6ef074cad21p-2, -0x1.2b63804dec66p-2,
    -0x1.1a40b78dcd0d1p-2, -0x1.0907cd5f81294p-2, -0x1.ef74ae789178ep-3, -0x1.ccb31f92c2dfap-3,
    -0x1.a9cda3e0a5008p-3, -0x1.86c6f4026f04ap-3, -0x1.63a18c28172cfp-3, -0x1.4060a7c7f6eep-3,
    -0x1.1d06c7d00eb61p-3, -0x1.f32d5be825ef4p-4, -0x1.ac263b46d32b3p-4, -0x1.64fd3820b066dp-4,
    -0x1.1db8ddd1d3702p-4, -0x1.acbc7777a0fap-5, -0x1.1de5c49301989p-5, -0x1.1df18ccdc45f8p-6,
    0x1.777a5cf72ceadp-23,
};
const double CosOfHue[361] = {
    0x1p+0, 0x1.ffec097f6028fp-1, 0x1.ffb0278c0516ep-1, 0x1.ff4c5ed086b19p-1,
    0x1.fec0b71762f44p-1, 0x1.fe0d3b4367e6fp-1, 0x1.fd31f94ce8a6bp-1, 0x1.fc2f02592e5c5p-1,
    0x1.fb046a94544cp-1, 0x1.f9b2493d1e966p-1, 0x1.f838b8cfa48ccp-1, 0x1.f697d692ede2ep-1,
    0x1.f4cfc31d375e9p-1, 0x1.f2e0a21be7465p-1, 0x1.f0ca99f3ccc2ep-1, 0x1.ee8dd464598f4p-1,
    0x1.ec2a7e3b06e6dp-1, 0x1.e9a0c704e72dbp-1, 0x1.e6f0e11d109fap-1, 0x1.e41b02c1e4da6p-1,
    0x1.e11f6442f82d6p-1, 0x1.ddfe40d095d3cp-1, 0x1.dab7d79712245p-1, 0x1.d74c699ff78cdp-1,
    0x1.d3bc3ac73e3e7p-1, 0x1.d00792fad983bp-1, 0x1.cc2ebbd0a749ap-1, 0x1.c83201a0af2f4p-1,
    0x1.c411b4e80ac78p-1, 0x1.bfce2795495fbp-1, 0x1.bb67ae46f065cp-1, 0x1.b6dea2549f17bp-1,
    0x1.b2335c408c23ap-1, 0x1.ad663a3fe742cp-1, 0x1.a8779d4a1c063p-1, 0x1.a367e59f7b93dp-1,
    0x1.9e37796137915p-1, 0x1.98e6c15aad1f2p-1, 0x1.93762546be478p-1, 0x1.8de612eaf5198p-1,
    0x1.8836fa9d18171p-1, 0x1.82694b49d1336p-1, 0x1.7c7d7a0dfca96p-1, 0x1.7673fe7af7a84p-1,
    0x1.704d4e615eb99p-1, 0x1.6a09e5e333598p-1, 0x1.63aa43798377bp-1, 0x1.5d2ee38633289p-1,
    0x1.569848d94f3a1p-1, 0x1.4fe6f87ad815fp-1, 0x1.491b7506b2987p-1, 0x1.4236479f2d0b4p-1,
    0x1.3b37fb7de1f72p-1, 0x1.3421191d11c2fp-1, 0x1.2cf22f9112df5p-1, 0x1.25abcfe36904p-1,
    0x1.1e4e880cecb91p-1, 0x1.16daecaf97478p-1, 0x1.0f51943f109dp-1, 0x1.07b311cf2affdp-1,
    0x1.fffffe4e6f746p-2, 0x1.f071ebf7465e3p-2, 0x1.e0bd2a2f04303p-2, 0x1.d0e2e47051f99p-2,
    0x1.c0e45e317c3e6p-2, 0x1.b0c2d6bd49094p-2, 0x1.a07f90194a864p-2, 0x1.901bceecc2819p-2,
    0x1.7f98e1d230bd4p-2, 0x1.6ef8039f6b823p-2, 0x1.5e3a87a545a4p-2, 0x1.4d61bc12a473p-2,
    0x1.3c6ef137a219fp-2, 0x1.2b63796b53d21p-2, 0x1.1a40b0a211983p-2, 0x1.0907dd99d2f2bp-2,
    0x1.ef74bf8c76e85p-3, 0x1.ccb32121fed8fp-3, 0x1.a9cd95caef1d5p-3, 0x1.86c6d62b26d15p-3,
    0x1.63a1ad3f25905p-3, 0x1.4060b92a3a2fap-3, 0x1.1d06c965ce439p-3, 0x1.f32d3f5292cebp-4,
    0x1.ac25fecf8f873p-4, 0x1.64fd5b31de8d4p-4, 0x1.1db900ef58938p-4, 0x1.acbc7ddc5366fp-5,
    0x1.1de58b02ee8p-5, 0x1.1df099a522b4dp-6, -0x1.777a5cf72ceccp-25, -0x1.1df077850e9e4p-6,
    -0x1.1de579f4e3697p-5, -0x1.acbc6cd19bbc4p-5, -0x1.1db8f86c508e6p-4, -0x1.64fd7292a7f88p-4,
    -0x1.ac2616264c3e8p-4, -0x1.f32d36da80c39p-4, -0x1.1d06c52c42303p-3, -0x1.4060b4f37f654p-3,
    -0x1.63a1a90b902dap-3, -0x1.86c6e1afc96aap-3, -0x1.a9cda1451dfc1p-3, -0x1.ccb31cf9cfce5p-3,
    -0x1.ef74bb68bb0a6p-3, -0x1.0907db8a57ebcp-2, -0x1.1a40ae95229b5p-2, -0x1.2b637f079ce9fp-2,
    -0x1.3c6ef6cc094cbp-2, -0x1.4d61ba0e4e531p-2, -0x1.5e3a85a41dfa1p-2, -0x1.6ef801a19a525p-2,
    -0x1.7f98dfd7ddc8ep-2, -0x1.901bd45346ea2p-2, -0x1.a07f95755b1d9p-2, -0x1.b0c2dc0e7ad0ep-2,
    -0x1.c0e45c46aa242p-2, -0x1.d0e2e9aa8892bp-2, -0x1.e0bd284cd9664p-2, -0x1.f071ea19a7cc8p-2,
    -0x1.000001b1908afp-1, -0x1.07b310e51fa06p-1, -0x1.0f5196bbe961cp-1, -0x1.16daed77ff0b8p-1,
    -0x1.1e4e858217fafp-1, -0x1.25abd0a726c74p-1, -0x1.2cf22eb42d2b9p-1, -0x1.34211b74cf38ep-1,
    -0x1.3b37faa6b896p-1, -0x1.42364b74ad527p-1, -0x1.491b75bdbf9f4p-1, -0x1.4fe6f62a5d22ep-1,
    -0x1.56984b0760e5dp-1, -0x1.5d2ee2be8210ap-1, -0x1.63aa4595b4be1p-1, -0x1.6a09e68c2affep-1,
    -0x1.704d4c4008573p-1, -0x1.7673ff1def5aep-1, -0x1.7c7d795748ea9p-1, -0x1.82694d367d153p-1,
    -0x1.8836f9ed95b41p-1, -0x1.8de610fce9c4dp-1, -0x1.937625d9dbf83p-1, -0x1.98e6bf823996p-1,
    -0x1.9e377b1a9e2dbp-1, -0x1.a367e502df001p-1, -0x1.a8779eee09e68p-1, -0x1.ad663ac20c50dp-1,
    -0x1.b2335aa089953p-1, -0x1.b6dea2cfb15fap-1, -0x1.bb67adbe6ac24p-1, -0x1.bfce29015b755p-1,
    -0x1.c411b4e00a58bp-1, -0x1.c832003c482p-1, -0x1.cc2ebc3967a5p-1, -0x1.d007921b44173p-1,
    -0x1.d3bc3bf8af368p-1, -0x1.d74c693547ba4p-1, -0x1.dab7d910487cep-1, -0x1.ddfe4126382bep-1,
    -0x1.e11f633677f26p-1, -0x1.e41b0363092cfp-1, -0x1.e6f0e0c8b08efp-1, -0x1.e9a0c7e076163p-1,
    -0x1.ec2a7e3654387p-1, -0x1.ee8dd3992a5b2p-1, -0x1.f0ca9a4c9313fp-1, -0x1.f2e0a1a4e4f6ap-1,
    -0x1.f4cfc3b95949dp-1, -0x1.f697d67740e7ap-1, -0x1.f838b97e7fafep-1, -0x1.f9b24962801cp-1,
    -0x1.fb046a38e2eb6p-1, -0x1.fc2f029d4cf9p-1, -0x1.fd31f9305e2fap-1, -0x1.fe0d3b90030a9p-1,
    -0x1.fec0b71aa97a4p-1, -0x1.ff4c5ea770a91p-1, -0x1.ffb02799f177cp-1, -0x1.ffec097789e92p-1,
    -0x1.fffffffffffdep-1, -0x1.ffec098111bc1p-1, -0x1.ffb027ad005b1p-1, -0x1.ff4c5ec40528ep-1,
    -0x1.fec0b740c1537p-1, -0x1.fe0d3b0d1c959p-1, -0x1.fd31f969731d2p-1, -0x1.fc2f01e6437c9p-1,
    -0x1.fb046a84e31f7p-1, -0x1.f9b249b7ed69bp-1, -0x1.f838b879b1cebp-1, -0x1.f697d6df73b92p-1,
    -0x1.f4cfc281156f1p-1, -0x1.f2e0a21fbccc3p-1, -0x1.f0ca9ad0af65dp-1, -0x1.ee8dd42680e44p-1,
    -0x1.ec2a7eccd9eb1p-1, -0x1.e9a0c62958412p-1, -0x1.e6f0e17170afcp-1, -0x1.e41b017a0fa4cp-1,
    -0x1.e11f63f13ddf6p-1, -0x1.ddfe41e9eb7bep-1, -0x1.dab7d6dda836dp-1, -0x1.d74c6a0aa75eep-1,
    -0x1.d3bc3995cd427p-1, -0x1.d00793020d838p-1, -0x1.cc2ebd28cb492p-1, -0x1.c83201343358bp-1,
    -0x1.c411b5e069c92p-1, -0x1.bfce262937465p-1, -0x1.bb67aecf7608dp-1, -0x1.b6de9fca26a79p-1,
    -0x1.b2335bc1eb886p-1, -0x1.ad663beb780e7p-1, -0x1.a8779ba62e226p-1, -0x1.a367e63c18271p-1,
    -0x1.9e3777a7d0f17p-1, -0x1.98e6c0cade74dp-1, -0x1.9376272a108afp-1, -0x1.8de6125493daap-1,
    -0x1.8836fb4c9a79bp-1, -0x1.8269495d254e5p-1, -0x1.7c7d7ac4b067cp-1, -0x1.767400925dba2p-1,
    -0x1.704d4dbb6093fp-1, -0x1.6a09e80e4f7f3p-1, -0x1.63aa415d522e5p-1, -0x1.5d2ee44de4401p-1,
    -0x1.569846ab3d8b7p-1, -0x1.4fe6f7c680717p-1, -0x1.491b713f3799p-1, -0x1.423646e578e7cp-1,
    -0x1.3b37fc550b57fp-1, -0x1.34211d28ef4cp-1, -0x1.2cf229f51aa2dp-1, -0x1.25abcbd8db727p-1,
    -0x1.1e4e8746d23bep-1, -0x1.16daef41fbf84p-1, -0x1.0f51988b0543ap-1, -0x1.07b30bddbbd0ap-1,
    -0x1.fffff939bdceap-2, -0x1.f071edd4e4ef5p-2, -0x1.e0bd2c112ef99p-2, -0x1.d0e2ed77ab63cp-2,
    -0x1.c0e451bad8713p-2, -0x1.b0c2d16c173ep-2, -0x1.a07f920c2ada7p-2, -0x1.901bd840a163ep-2,
    -0x1.7f98eb376308ap-2, -0x1.6ef7f6ad4aa44p-2, -0x1.5e3a8221efbcp-2, -0x1.4d61be16fa929p-2,
    -0x1.3c6efadac1ee7p-2, -0x1.2b638ac294064p-2, -0x1.1a40a34dac9fcp-2, -0x1.0907d7ef16a76p-2,
    -0x1.ef74c3b032c5cp-3, -0x1.ccb334e132ef4p-3, -0x1.a9cd7aaa42177p-3, -0x1.86c6caa68434bp-3,
    -0x1.63a1a1b0f52dp-3, -0x1.4060bd60f4f9ap-3, -0x1.1d06dd777da7dp-3, -0x1.f32d0844c47fep-4,
    -0x1.ac25e778d2cc4p-4, -0x1.64fd63b1e8d75p-4, -0x1.1db9097260984p-4, -0x1.acbcced096e53p-5,
    -0x1.1de51c24efac7p-5, -0x1.1df03bca34696p-6, 0x1.99bc5b961b1adp-27, 0x1.1df05564fa876p-6,
    0x1.1de528f0d35c6p-5, 0x1.acbcdb99fbbd2p-5, 0x1.1db90fd553f93p-4, 0x1.64fd6a129daf3p-4,
    0x1.ac25edd6c9c9fp-4, 0x1.f32d0e9f7e88ep-4, 0x1.1d06e0a2fcc18p-3, 0x1.4060c08a56e4p-3,
    0x1.63a1a4d7faca9p-3, 0x1.86c6cdcaee973p-3, 0x1.a9cd7dcbd2849p-3, 0x1.ccb337ffaadffp-3,
    0x1.ef74c6cb53fbap-3, 0x1.0907d97adce48p-2, 0x1.1a40a4d789a26p-2, 0x1.2b638c4a6913fp-2,
    0x1.3c6efc60707cdp-2, 0x1.4d61bf9a643e9p-2, 0x1.5e3a83a2f64fbp-2, 0x1.6ef7f82bd019ap-2,
    0x1.7f98ecb34986ap-2, 0x1.901bd9b9cb4f5p-2, 0x1.a07f93827aca3p-2, 0x1.b0c2d2df7001cp-2,
    0x1.c0e4532b1d13cp-2, 0x1.d0e2eee4bf27ep-2, 0x1.e0bd2d7af56cdp-2, 0x1.f071ef3b41dbbp-2,
    0x1.fffffa9c95425p-2, 0x1.07b30c8d56f85p-1, 0x1.0f519938c2244p-1, 0x1.16daefedcd08cp-1,
    0x1.1e4e87f0aa166p-1, 0x1.25abcc80acd87p-1, 0x1.2cf22a9ad87e3p-1, 0x1.34211dcc8cac3p-1,
    0x1.3b37fcf67b7eap-1, 0x1.42364784af3e2p-1, 0x1.491b71dc27b4dp-1, 0x1.4fe6f25778dd1p-1,
    0x1.56984d35728ebp-1, 0x1.5d2ee4e3b8f4bp-1, 0x1.63aa41f0b0ce9p-1, 0x1.6a09e2f704eedp-1,
    0x1.704d53d859c2bp-1, 0x1.7674011e15ee2p-1, 0x1.7c7d7b4dc5bf7p-1, 0x1.826949e38d192p-1,
    0x1.8836f6abdc611p-1, 0x1.8de617de5a652p-1, 0x1.937627a831a16p-1, 0x1.98e6c146295abp-1,
    0x1.9e3778203c09ap-1, 0x1.a367e21aeac63p-1, 0x1.a877a091f7c33p-1, 0x1.ad663c5b0c49fp-1,
    0x1.b2335c2e7bc61p-1, 0x1.b6dea033aa704p-1, 0x1.bb67ab35e5164p-1, 0x1.bfce2a6d6d872p-1,
    0x1.c411b64097c5ap-1, 0x1.c8320191356a3p-1, 0x1.cc2eba00d1712p-1, 0x1.d0078ff71c7f5p-1,
    0x1.d3bc3d2a202aap-1, 0x1.d74c6a5ab3b9p-1, 0x1.dab7d72a66e6ap-1, 0x1.ddfe3f55667c8p-1,
    0x1.e11f66f3c4848p-1, 0x1.e41b045785eafp-1, 0x1.e6f0e1b0bf72p-1, 0x1.e9a0c6653e094p-1,
    0x1.ec2a7cd0d0aaap-1, 0x1.ee8dd66d96a0bp-1, 0x1.f0ca9b023f455p-1, 0x1.f2e0a24dd29ebp-1,
    0x1.f4cfc2abad9cap-1, 0x1.f697d57fc407fp-1, 0x1.f838ba00e69a2p-1, 0x1.f9b249d7f9cc3p-1,
    0x1.fb046aa166386p-1, 0x1.fc2f01ff3b12cp-1, 0x1.fd31f8a8ca2d3p-1, 0x1.fe0d3bd1763eap-1,
    0x1.fec0b74f0bc84p-1, 0x1.ff4c5ecebdfb4p-1, 0x1.ffb0276cad50ap-1, 0x1.ffec0960e6eap-1,
    0x1.fffffffffff76p-1,
};
// clang-format on

// 0 for an empty picture, and for one larger than the planes (then nothing is touched).
int PixelCount() {
    if (PictureWidth <= 0 || PictureHeight <= 0 ||
        static_cast<long long>(PictureWidth) * PictureHeight > PlaneCapacity)
        return 0;
    return PictureWidth * PictureHeight;
}

// Truncation toward zero, saturated so that wild inputs to the stages stay defined.
int32_t Trunc(double x) {
    if (!(x > -2147483649.0))
        return x != x ? 0 : INT32_MIN;
    if (x >= 2147483648.0)
        return INT32_MAX;
    return static_cast<int32_t>(x);
}

uint8_t ClampByte(int64_t v) {
    return static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
}

struct Polar {
    int32_t magnitude, hue;
};

Polar PolarOf(int32_t u, int32_t v) {
    const float s = static_cast<float>(static_cast<double>(u) * u + static_cast<double>(v) * v);
    const int32_t magnitude = Trunc(std::sqrt(static_cast<double>(s)));
    if (magnitude <= 0)
        return {magnitude, 0};
    float a =
        static_cast<float>(std::atan2(static_cast<double>(u), static_cast<double>(v)) * 180 / Pi);
    if (a < 0)
        a = static_cast<float>(static_cast<double>(a) + 360);
    return {magnitude, Trunc(a)};
}

int32_t AdjustedHue(int32_t hue, float hueShift) {
    int32_t h = Trunc(static_cast<double>(hue) + static_cast<double>(hueShift));
    if (h > 360)
        h -= 360;
    if (h < 0)
        h += 360;
    return h;
}

void ChromaOf(int32_t magnitude, int32_t hue, int32_t& u, int32_t& v) {
    double s, c;
    if (hue >= 0 && hue <= 360) {
        s = SinOfHue[hue];
        c = CosOfHue[hue];
    } else {
        const float t = static_cast<float>(static_cast<double>(hue) * Pi / 180);
        s = std::sin(static_cast<double>(t));
        c = std::cos(static_cast<double>(t));
    }
    u = Trunc(s * magnitude);
    v = Trunc(c * magnitude);
}

void PixelToPlanes(int32_t y, int32_t u, int32_t v, uint8_t& b, uint8_t& g, uint8_t& r) {
    r = ClampByte(static_cast<int64_t>(y) + u);
    b = ClampByte(static_cast<int64_t>(y) + v);
    const int32_t green =
        Trunc((static_cast<double>(y) - GreenFromRedDiff * u) - GreenFromBlueDiff * v);
    g = ClampByte(green);
}

// Every (R - Y, B - Y) that bytes can give, with room to spare: the polar form is a fixed table,
// and per press a second table maps each pair straight to the adjusted pair.
constexpr int MaxRedDiff = 180, MaxBlueDiff = 228;
constexpr int DiffColumns = 2 * MaxBlueDiff + 1;
constexpr int DiffPairs = (2 * MaxRedDiff + 1) * DiffColumns;

struct PackedPolar {
    int16_t magnitude, hue;
};

const PackedPolar* PolarTable() {
    static PackedPolar* table = [] {
        static PackedPolar t[DiffPairs];
        for (int u = -MaxRedDiff; u <= MaxRedDiff; ++u)
            for (int v = -MaxBlueDiff; v <= MaxBlueDiff; ++v) {
                const Polar p = PolarOf(u, v);
                t[(u + MaxRedDiff) * DiffColumns + v + MaxBlueDiff] = {
                    static_cast<int16_t>(p.magnitude), static_cast<int16_t>(p.hue)};
            }
        return t;
    }();
    return table;
}

// Adjusted pair of each pair for one chroma gain and hue shift, packed as two int16 (red
// difference low). Rebuilt only when those two change: brightness presses reuse it.
int32_t AdjustedPairs[DiffPairs];
bool PairsValid = false;
float PairsGain, PairsShift;

void PreparePairs(float chromaGain, float hueShift) {
    if (PairsValid && std::memcmp(&PairsGain, &chromaGain, sizeof chromaGain) == 0 &&
        std::memcmp(&PairsShift, &hueShift, sizeof hueShift) == 0)
        return;
    const PackedPolar* polar = PolarTable();
    for (int i = 0; i < DiffPairs; ++i) {
        const int32_t magnitude =
            Trunc(static_cast<double>(polar[i].magnitude) * static_cast<double>(chromaGain));
        int32_t u, v;
        ChromaOf(magnitude, AdjustedHue(polar[i].hue, hueShift), u, v);
        // |u|, |v| <= magnitude <= 290 x chroma gain: within int16 for the gains let through here.
        AdjustedPairs[i] = static_cast<int32_t>(static_cast<uint16_t>(u)) |
                           static_cast<int32_t>(static_cast<uint32_t>(v) << 16);
    }
    PairsGain = chromaGain;
    PairsShift = hueShift;
    PairsValid = true;
}

int32_t AdjustedLuma[256];

FLIMMER_INLINE V4f64 ToDouble(const V4i32& v) {
    return __builtin_convertvector(v, V4f64);
}
FLIMMER_INLINE V4i32 ToInt(const V4f64& v) {
    return __builtin_convertvector(v, V4i32);
}

// Four pixels at a time: stage 1 in double vectors, stages 2 to 4 from the tables, stage 5 in
// double vectors again. Pixels are independent, so each group is read before it is written.
FLIMMER_INLINE void AdjustBody(const uint8_t* inB, const uint8_t* inG, const uint8_t* inR,
                               uint8_t* outB, uint8_t* outG, uint8_t* outR, int n) {
    const V4f64 bw = {BlueWeight, BlueWeight, BlueWeight, BlueWeight};
    const V4f64 rw = {RedWeight, RedWeight, RedWeight, RedWeight};
    const V4f64 gw = {GreenWeight, GreenWeight, GreenWeight, GreenWeight};
    const V4f64 rdw = {RedDiffWeight, RedDiffWeight, RedDiffWeight, RedDiffWeight};
    const V4f64 bdw = {BlueDiffWeight, BlueDiffWeight, BlueDiffWeight, BlueDiffWeight};
    const V4f64 gfr = {GreenFromRedDiff, GreenFromRedDiff, GreenFromRedDiff, GreenFromRedDiff};
    const V4f64 gfb = {GreenFromBlueDiff, GreenFromBlueDiff, GreenFromBlueDiff, GreenFromBlueDiff};
    const V4i32 zero = {0, 0, 0, 0}, top = {255, 255, 255, 255};
    int i = 0;
    for (; i + 4 <= n; i += 4) {
        const V4i32 bi = {inB[i], inB[i + 1], inB[i + 2], inB[i + 3]};
        const V4i32 gi = {inG[i], inG[i + 1], inG[i + 2], inG[i + 3]};
        const V4i32 ri = {inR[i], inR[i + 1], inR[i + 2], inR[i + 3]};
        const V4f64 b = ToDouble(bi), g = ToDouble(gi), r = ToDouble(ri);
        const V4f64 pb = bw * b, pg = gw * g;
        const V4f64 s = rw * r + pg;
        const V4i32 y = ToInt(pb + s);
        const V4i32 u = ToInt((rdw * r - pg) - pb);
        const V4i32 v = ToInt(bdw * b - s);
        const V4i32 index = (u + MaxRedDiff) * DiffColumns + (v + MaxBlueDiff);
        V4i32 ya, ua, va;
        for (int k = 0; k < 4; ++k) {
            ya[k] = AdjustedLuma[y[k]];
            const int32_t pair = AdjustedPairs[index[k]];
            ua[k] = static_cast<int16_t>(pair);
            va[k] = pair >> 16;
        }
        const V4i32 red = ya + ua, blue = ya + va;
        const V4i32 green = ToInt((ToDouble(ya) - gfr * ToDouble(ua)) - gfb * ToDouble(va));
        const V4i32 rc = Max(Min(red, top), zero), bc = Max(Min(blue, top), zero);
        const V4i32 gc = Max(Min(green, top), zero);
        for (int k = 0; k < 4; ++k) {
            outR[i + k] = static_cast<uint8_t>(rc[k]);
            outG[i + k] = static_cast<uint8_t>(gc[k]);
            outB[i + k] = static_cast<uint8_t>(bc[k]);
        }
    }
    for (; i < n; ++i) {
        const int b = inB[i], g = inG[i], r = inR[i];
        const int32_t y = static_cast<int32_t>(BlueWeight * b + (RedWeight * r + GreenWeight * g));
        const int32_t u =
            static_cast<int32_t>((RedDiffWeight * r - GreenWeight * g) - BlueWeight * b);
        const int32_t v =
            static_cast<int32_t>(BlueDiffWeight * b - (RedWeight * r + GreenWeight * g));
        const int32_t pair = AdjustedPairs[(u + MaxRedDiff) * DiffColumns + v + MaxBlueDiff];
        PixelToPlanes(AdjustedLuma[y], static_cast<int16_t>(pair), pair >> 16, outB[i], outG[i],
                      outR[i]);
    }
}

void AdjustBaseline(const uint8_t* inB, const uint8_t* inG, const uint8_t* inR, uint8_t* outB,
                    uint8_t* outG, uint8_t* outR, int n) {
    AdjustBody(inB, inG, inR, outB, outG, outR, n);
}

FLIMMER_AVX2 void AdjustAvx2(const uint8_t* inB, const uint8_t* inG, const uint8_t* inR,
                             uint8_t* outB, uint8_t* outG, uint8_t* outR, int n) {
    AdjustBody(inB, inG, inR, outB, outG, outR, n);
}

void RunColourAdjust() {
    AdjustColours(BasePicture, CurrentPicture, LumaGain(), ChromaGain(),
                  static_cast<float>(HueShift));
    if (ShowPlanesHook)
        ShowPlanesHook(CurrentPicture);
}

// Outside its guard range a setting no longer steps either way; the press is still recorded,
// so its undo leaves the setting where it is too.
void ChangeGain(int& step, int delta) {
    if (step >= -32765 && step <= 32766)
        step += delta;
}

float GainOf(int step) {
    const int clamped = step < 0 ? 0 : step > 99 ? 99 : step;
    return static_cast<float>(clamped / 10.0);
}

} // namespace

void ResetColourSettings() {
    BrightnessStep = 10;
    SaturationStep = 10;
    HueShift = 0;
    // The polar table takes most of a frame to build: build it here, before the first press.
    PolarTable();
}

float LumaGain() {
    return GainOf(BrightnessStep);
}
float ChromaGain() {
    return GainOf(SaturationStep);
}

void ApplyColourAdjust() {
    RunColourAdjust();
}

void ChangeBrightness(int delta) {
    ChangeGain(BrightnessStep, delta);
}
void ChangeSaturation(int delta) {
    ChangeGain(SaturationStep, delta);
}
void ChangeHue(int delta) {
    HueShift += delta;
    if (HueShift > 360)
        HueShift = 0;
    else if (HueShift < 0)
        HueShift = 360;
}

void StepBrightness(int delta) {
    ChangeBrightness(delta);
    RunColourAdjust();
}
void StepSaturation(int delta) {
    ChangeSaturation(delta);
    RunColourAdjust();
}
void StepHue(int delta) {
    ChangeHue(delta);
    RunColourAdjust();
}

void ToLumaChroma(const uint8_t* blue, const uint8_t* green, const uint8_t* red, int32_t* luma,
                  int32_t* chromaR, int32_t* chromaB) {
    const int n = PixelCount();
    for (int i = 0; i < n; ++i) {
        const int b = blue[i], g = green[i], r = red[i];
        luma[i] = static_cast<int32_t>(BlueWeight * b + (RedWeight * r + GreenWeight * g));
        chromaR[i] = static_cast<int32_t>((RedDiffWeight * r - GreenWeight * g) - BlueWeight * b);
        chromaB[i] = static_cast<int32_t>(BlueDiffWeight * b - (RedWeight * r + GreenWeight * g));
    }
}

void ChromaToPolar(const int32_t* chromaR, const int32_t* chromaB, int32_t* magnitude,
                   int32_t* hue) {
    const int n = PixelCount();
    const PackedPolar* table = n > 0 ? PolarTable() : nullptr;
    for (int i = 0; i < n; ++i) {
        const int32_t u = chromaR[i], v = chromaB[i];
        if (u >= -MaxRedDiff && u <= MaxRedDiff && v >= -MaxBlueDiff && v <= MaxBlueDiff) {
            const PackedPolar p = table[(u + MaxRedDiff) * DiffColumns + v + MaxBlueDiff];
            magnitude[i] = p.magnitude;
            hue[i] = p.hue;
        } else {
            const Polar p = PolarOf(u, v);
            magnitude[i] = p.magnitude;
            hue[i] = p.hue;
        }
    }
}

void AdjustLumaChroma(const int32_t* luma, const int32_t* magnitude, const int32_t* hue,
                      int32_t* lumaOut, int32_t* magnitudeOut, int32_t* hueOut, float lumaGain,
                      float chromaGain, float hueShift) {
    const int n = PixelCount();
    for (int i = 0; i < n; ++i) {
        lumaOut[i] = Trunc(static_cast<double>(luma[i]) * static_cast<double>(lumaGain));
        magnitudeOut[i] =
            Trunc(static_cast<double>(magnitude[i]) * static_cast<double>(chromaGain));
        hueOut[i] = AdjustedHue(hue[i], hueShift);
    }
}

void PolarToChroma(const int32_t* magnitude, const int32_t* hue, int32_t* chromaR,
                   int32_t* chromaB) {
    const int n = PixelCount();
    for (int i = 0; i < n; ++i)
        ChromaOf(magnitude[i], hue[i], chromaR[i], chromaB[i]);
}

void LumaChromaToPlanes(const int32_t* luma, const int32_t* chromaR, const int32_t* chromaB,
                        uint8_t* blue, uint8_t* green, uint8_t* red) {
    const int n = PixelCount();
    for (int i = 0; i < n; ++i)
        PixelToPlanes(luma[i], chromaR[i], chromaB[i], blue[i], green[i], red[i]);
}

void AdjustColours(const ColorPlanes& in, ColorPlanes& out, float lumaGain, float chromaGain,
                   float hueShift) {
    const int n = PixelCount();
    if (n == 0)
        return;
    // The tables hold int16 pairs and the vectors int32 sums: gains far beyond 9.9 (never set
    // by the program) could leave those ranges, so they run stage by stage.
    if (!(chromaGain >= -100.0f && chromaGain <= 100.0f && lumaGain >= -1000.0f &&
          lumaGain <= 1000.0f)) {
        ToLumaChroma(in.blue, in.green, in.red, LumaPlane, ChromaRPlane, ChromaBPlane);
        ChromaToPolar(ChromaRPlane, ChromaBPlane, ChromaMagnitudePlane, ChromaHuePlane);
        AdjustLumaChroma(LumaPlane, ChromaMagnitudePlane, ChromaHuePlane, LumaPlane,
                         ChromaMagnitudePlane, ChromaHuePlane, lumaGain, chromaGain, hueShift);
        PolarToChroma(ChromaMagnitudePlane, ChromaHuePlane, ChromaRPlane, ChromaBPlane);
        LumaChromaToPlanes(LumaPlane, ChromaRPlane, ChromaBPlane, out.blue, out.green, out.red);
        return;
    }
    for (int y = 0; y < 256; ++y)
        AdjustedLuma[y] = Trunc(static_cast<double>(y) * static_cast<double>(lumaGain));
    PreparePairs(chromaGain, hueShift);
    if (UseAvx2())
        AdjustAvx2(in.blue, in.green, in.red, out.blue, out.green, out.red, n);
    else
        AdjustBaseline(in.blue, in.green, in.red, out.blue, out.green, out.red, n);
}
