#include "wav_writer.h"

#include <algorithm>
#include <cmath>

namespace skingen {

Bytes EncodeWav16Mono(const std::vector<double>& samples, int sampleRate) {
    const auto dataSize = static_cast<std::uint32_t>(samples.size() * 2);
    Bytes out;
    PutTag(out, "RIFF");
    PutLE32(out, 36 + dataSize);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    PutLE32(out, 16);
    PutLE16(out, 1); // PCM
    PutLE16(out, 1); // mono
    PutLE32(out, static_cast<std::uint32_t>(sampleRate));
    PutLE32(out, static_cast<std::uint32_t>(sampleRate * 2)); // bytes per second
    PutLE16(out, 2);                                          // block align
    PutLE16(out, 16);
    PutTag(out, "data");
    PutLE32(out, dataSize);
    for (double s : samples) {
        const long v = std::lround(std::clamp(s, -1.0, 1.0) * 32767.0);
        PutLE16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(v)));
    }
    return out;
}

} // namespace skingen
