#pragma once
// The program-wide variables and routines shared by every window.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace Common {

inline std::array<std::string, 2> HkPath;      // (0) the sign folder, (1) carried through the settings file
inline std::int32_t HkIndex = 0;               // the arrow keys' position in the sign list
inline std::string KanbanPicPath;              // the signboard picture file
inline std::array<std::int32_t, 2> IniSpare {}; // carried through the settings file unchanged
inline std::int16_t NakaMode = 0;              // the middle-door mode read from the settings file
inline std::vector<std::uint8_t> SoundBuffer;  // the sound last loaded

// Plays the program's own "WAVE" resource `id` to its end; silent and immediate on failure.
void PlayWave(std::int16_t id);

}
