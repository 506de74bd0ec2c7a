// Lays out the program folder's assets: the skin tables name every picture, this
// decides how each is drawn and in which format it is written.
#pragma once
#include <string>

namespace skingen {

// Writes the whole tree under outDir; returns the number of files written.
int WriteAssetTree(const std::string& outDir);
// Writes montages of every screen with its buttons, and a sheet of all buttons in
// their three faces, for looking at the design.
int WriteReview(const std::string& outDir);
// Writes the decoration sheets of WriteReview alone.
int WriteDecorationReview(const std::string& outDir);

} // namespace skingen
