#include "app/WindowReach.h"

#include <algorithm>

using platform::TwipsRect;

namespace {

// The part of the top edge that must show: enough of the title bar to grab it.
constexpr float GripWidth = 100 * platform::TwipsPerPixel;
constexpr float GripHeight = 20 * platform::TwipsPerPixel;

float overlap(float start, float length, float other_start, float other_length)
{
    return std::min(start + length, other_start + other_length) - std::max(start, other_start);
}

bool top_edge_shows_on(const TwipsRect& frame, const TwipsRect& screen)
{
    return overlap(frame.left, frame.width, screen.left, screen.width) >= GripWidth
        && overlap(frame.top, GripHeight, screen.top, screen.height) >= GripHeight;
}

double squared_distance(float x, float y, const TwipsRect& screen)
{
    const double dx = x - std::clamp(x, screen.left, screen.left + screen.width);
    const double dy = y - std::clamp(y, screen.top, screen.top + screen.height);
    return dx * dx + dy * dy;
}

const TwipsRect& screen_nearest(const TwipsRect& frame, const std::vector<TwipsRect>& screens)
{
    const float x = frame.left + frame.width / 2;
    const float y = frame.top + frame.height / 2;
    return *std::ranges::min_element(screens, {}, [x, y](const TwipsRect& screen) { return squared_distance(x, y, screen); });
}

// The start nearest to `start` that keeps the whole length in the area; the area's start when
// the length does not fit.
float fitted(float start, float length, float area_start, float area_length)
{
    return std::max(area_start, std::min(start, area_start + area_length - length));
}

}

bool within_reach(const TwipsRect& frame, const std::vector<TwipsRect>& screens)
{
    const auto shows_on = [&frame](const TwipsRect& screen) { return top_edge_shows_on(frame, screen); };
    return screens.empty() || std::ranges::any_of(screens, shows_on);
}

FramePlace reachable_place(const TwipsRect& frame, const std::vector<TwipsRect>& screens)
{
    if (within_reach(frame, screens))
        return { frame.left, frame.top };
    const TwipsRect& screen = screen_nearest(frame, screens);
    return { fitted(frame.left, frame.width, screen.left, screen.width),
             fitted(frame.top, frame.height, screen.top, screen.height) };
}
