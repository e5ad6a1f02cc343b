#pragma once
// The window calls the program makes by handle: its messages, the mouse capture and the
// stay-on-top state.
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

inline constexpr std::intptr_t HWND_TOPMOST = -1;
inline constexpr std::uint32_t SWP_NOSIZE = 0x1;
inline constexpr std::uint32_t SWP_NOMOVE = 0x2;
inline constexpr std::uint32_t SWP_SHOWWINDOW = 0x40;

// Only what the program uses: making a window topmost without moving or resizing it,
// and showing it. Returns 0 for a handle that names no window.
int SetWindowPos(std::intptr_t hwnd, std::intptr_t insert_after, int x, int y, int cx, int cy,
                 std::uint32_t flags);

}
