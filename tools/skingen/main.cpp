// flimmer-skingen OUTDIR: writes the program folder's pictures, sounds and the
// resources that windres compiles into the exe.
#include "asset_tree.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: flimmer-skingen OUTDIR\n");
        return 2;
    }
    try {
        const int files = skingen::WriteAssetTree(argv[1]);
        std::printf("flimmer-skingen: %d files written to %s\n", files, argv[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "flimmer-skingen: %s\n", e.what());
        return 1;
    }
    return 0;
}
