// RIFF/WAVE files of 16-bit mono PCM.
#pragma once
#include "bytes.h"

#include <vector>

namespace skingen {

// Samples in -1..1, clipped and rounded to 16 bits.
Bytes EncodeWav16Mono(const std::vector<double>& samples, int sampleRate);

} // namespace skingen
