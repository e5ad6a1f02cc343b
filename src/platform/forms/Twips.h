#pragma once
// Twips: the unit of every position and size, 15 to one logical pixel.
#include <cmath>

namespace platform {

inline constexpr float TwipsPerPixel = 15.0f;

inline int to_pixels(float twips) { return static_cast<int>(std::lround(twips / TwipsPerPixel)); }
inline float to_twips(int pixels) { return static_cast<float>(pixels) * TwipsPerPixel; }

// A rectangle in twips of a container's client area.
struct TwipsRect {
    float left { 0 };
    float top { 0 };
    float width { 0 };
    float height { 0 };
};

}
