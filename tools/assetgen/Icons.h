#pragma once
// The window icon and the hand cursor shown over the maker's link: pixel designs on a
// 32 × 32 grid, drawn at each size from their cells.
#include "PixelDesign.h"

namespace assetgen {

inline constexpr int kIconGrid = 32;

// 16 colours: the bus seen from the front.
PixelDesign bus_icon();

// Black and white: a hand pointing up with its fingertip at kHandHotSpot (grid cells).
PixelDesign hand_cursor();
inline constexpr QPoint kHandHotSpot{12, 1};

}
