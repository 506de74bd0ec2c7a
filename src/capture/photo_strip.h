// Four booth shots composed into one picture: a 2 x 2 grid or a column, whichever shows the
// shots larger once the picture is fitted to the area, each shot framed by a thin border.
#pragma once
#include <cstddef>
#include <cstdint>

struct StripPlan {
    int columns = 0, rows = 0;
    int border = 0;            // pixels around and between the shots
    int width = 0, height = 0; // the composed picture; 0 x 0 when it cannot be made
};

// The border: the skin's paper, as a print's white edge.
constexpr std::uint8_t StripBorderBlue = 245, StripBorderGreen = 251, StripBorderRed = 255;
// Larger than this either way the loader would refuse the picture anyway.
constexpr int StripMaxSide = 16384;

StripPlan PlanStrip(int shots, int frameWidth, int frameHeight, int areaWidth, int areaHeight);
// Where shot i begins in the composed picture.
void StripShotOrigin(const StripPlan& plan, int frameWidth, int frameHeight, int i, int& x, int& y);
// The shots (upright 24-bit frames of frameWidth x frameHeight, rows without padding) into
// `out`, rows of plan.width * 3 bytes. False, with nothing written, when out is too small or
// the plan does not hold the shots.
bool ComposeStrip(const StripPlan& plan, const std::uint8_t* const* shots, int count,
                  int frameWidth, int frameHeight, std::uint8_t* out, std::size_t outSize);
