// flimmer-skingen OUTDIR: writes the program folder's pictures, sounds and the
// resources that windres compiles into the exe. With --review it writes montages of
// the screens, buttons and decorations instead; --review-decorations only the last.
#include "asset_tree.h"

#include <cstdio>
#include <exception>
#include <string_view>

int main(int argc, char** argv) {
    const std::string_view mode = argc == 3 ? argv[1] : "";
    const bool review = mode == "--review", decorations = mode == "--review-decorations";
    if (argc != 2 && !review && !decorations) {
        std::fprintf(stderr, "usage: flimmer-skingen [--review | --review-decorations] OUTDIR\n");
        return 2;
    }
    const char* outDir = argv[argc - 1];
    try {
        const int files = review        ? skingen::WriteReview(outDir)
                          : decorations ? skingen::WriteDecorationReview(outDir)
                                        : skingen::WriteAssetTree(outDir);
        std::printf("flimmer-skingen: %d files written to %s\n", files, outDir);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "flimmer-skingen: %s\n", e.what());
        return 1;
    }
    return 0;
}
