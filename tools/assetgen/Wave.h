#pragma once
// 8-bit mono PCM RIFF/WAVE images at the rate the bus sounds use.
#include "ByteWriter.h"

#include <vector>

namespace assetgen {

inline constexpr int kSampleRate = 22050;

enum class FactChunk { Omit, Include };

// Samples are in -1..1; they are rounded to unsigned 8-bit (silence = 128) and clamped.
Bytes encode_wave(const std::vector<double>& samples, FactChunk fact);

}
