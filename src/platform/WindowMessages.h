#pragma once
// The window messages the program sends by handle, and the mouse capture.
#include <cstdint>

namespace platform {

inline constexpr std::uint32_t WM_NCLBUTTONDOWN = 0xA1;
inline constexpr std::intptr_t HTCAPTION = 2;

// Ends any mouse capture the program holds.
void ReleaseCapture();

// Only what the program sends: a left press on the caption (WM_NCLBUTTONDOWN, HTCAPTION) of
// a control's window runs that window's move loop and returns when the left button is
// released. Anything else, or a handle that names no control, does nothing. Returns 0.
std::intptr_t SendMessageA(std::intptr_t hwnd, std::uint32_t message, std::intptr_t wParam, std::int32_t& lParam);

}
