#pragma once
// The window icon and the hand cursor shown over the switches.
#include "Bitmaps.h"

namespace assetgen {

// 32 × 32, 16 colours: the bus seen from the front.
IndexedImage bus_icon();

// 32 × 32 black and white: a hand pointing up with its fingertip at kHandHotSpot.
IndexedImage hand_cursor();
inline constexpr QPoint kHandHotSpot{12, 1};

}
