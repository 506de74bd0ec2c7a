#pragma once
#include <cstddef>
#include <cstdint>
bool ResamplePixels(const uint8_t* bits, std::size_t stride, int bytesPerPixel, int pw, int ph,
                    uint8_t* blue, uint8_t* green, uint8_t* red, int& w, int& h);
