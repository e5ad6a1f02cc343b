#pragma once
// Windows saved off every screen (a monitor unplugged, a resolution that shrank) come back
// within reach. A saved place stays as it is while the frame's top edge, where the window is
// grabbed and moved, shows on a screen.
#include "platform/forms/Twips.h"

#include <vector>

struct FramePlace {
    float left { 0 };
    float top { 0 };
};

// Where a window's outer frame goes, all in screen twips. The frame's own place when at least
// 100 x 20 px of its top 20 px show on one of the screens; otherwise the nearest place that
// shows it whole on the screen nearest to its centre, the screen's top-left corner for a frame
// bigger than that screen. With no screens known the frame stays where it is.
FramePlace reachable_place(const platform::TwipsRect& frame, const std::vector<platform::TwipsRect>& screens);
// Whether the frame keeps its own place: the wider a frame, the more of its top edge shows.
bool within_reach(const platform::TwipsRect& frame, const std::vector<platform::TwipsRect>& screens);
