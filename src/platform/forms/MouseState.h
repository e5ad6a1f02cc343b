#pragma once
// Mouse buttons and shift keys as the program's handlers receive them.
#include <cstdint>

class QMouseEvent;
class QInputEvent;

namespace platform {

inline constexpr std::int16_t vbLeftButton = 1;
inline constexpr std::int16_t vbRightButton = 2;
inline constexpr std::int16_t vbMiddleButton = 4;

std::int16_t mouse_button(const QMouseEvent& event);
std::int16_t shift_state(const QInputEvent& event);
// The buttons held down during a mouse move.
std::int16_t held_buttons(const QMouseEvent& event);

}
