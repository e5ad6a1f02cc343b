#pragma once
// The screens a window can be put on.
#include "platform/forms/Twips.h"

#include <vector>

namespace platform {

// Each screen's area for windows, in screen twips (the coordinates of a window's Left and
// Top): the screen less the panels and docks the window manager keeps free of windows.
// Empty when no screen is known.
std::vector<TwipsRect> screen_areas();

}
