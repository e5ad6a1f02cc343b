#pragma once
// The window icon and the hand cursor shown over the maker's link: pixel designs on a
// 32 × 32 grid, drawn at each size from their cells.
#include "IconDesign.h"

namespace assetgen {

inline constexpr int kIconGrid = 32;

// 16 colours: the bus seen from the front, in whole pixels for 32 x 32 and below.
IconDesign bus_icon();

// The same bus with rounded shapes on a finer grid, for large sizes and the scalable icon.
IconDesign bus_icon_large();

// Black and white: a hand pointing up with its fingertip at kHandHotSpot (grid cells).
IconDesign hand_cursor();
inline constexpr QPoint kHandHotSpot{12, 1};

}
