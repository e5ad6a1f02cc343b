#pragma once
// Key codes as the program's key handlers receive them.
#include <cstdint>

class QKeyEvent;

namespace platform {

inline constexpr std::int16_t vbKeyUp = 38;
inline constexpr std::int16_t vbKeyDown = 40;

// The key's virtual-key code as the program's handlers know it; 0 for a key that has none.
std::int16_t key_code(const QKeyEvent& event);

}
