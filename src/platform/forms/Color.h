#pragma once
// Colours as the program writes them: 0x00BBGGRR, or a system colour with the high bit set.
#include <cstdint>

namespace platform {

using OLE_COLOR = std::uint32_t;

constexpr OLE_COLOR RGB(int r, int g, int b)
{
    return static_cast<OLE_COLOR>(r & 0xFF) | static_cast<OLE_COLOR>(g & 0xFF) << 8
        | static_cast<OLE_COLOR>(b & 0xFF) << 16;
}

inline constexpr OLE_COLOR vbBlack = RGB(0, 0, 0);
inline constexpr OLE_COLOR vbWhite = RGB(255, 255, 255);
inline constexpr OLE_COLOR vbButtonFace = 0x8000000F;
inline constexpr OLE_COLOR vbButtonText = 0x80000012;
inline constexpr OLE_COLOR vbWindowBackground = 0x80000005;
inline constexpr OLE_COLOR vbWindowText = 0x80000008;

}
