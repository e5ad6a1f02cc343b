#pragma once
// The program's place on the system and the window calls it makes by handle.
#include <cstdint>
#include <string>

namespace platform {

// The folder of the running executable, without a trailing "/".
std::string app_path();
// The executable's file name without its folder (a trailing ".exe" dropped).
std::string exe_name();
// The program's name for an executable file name: the whole name, less a trailing ".exe".
std::string program_name(const std::string& file_name);

// Whether the user may make files in the folder.
bool folder_writable(const std::string& folder);
// The user's configuration folder: $XDG_CONFIG_HOME when it is an absolute path, else
// ~/.config.
std::string user_config_folder();

inline constexpr std::intptr_t HWND_TOPMOST = -1;
inline constexpr std::uint32_t SWP_NOSIZE = 0x1;
inline constexpr std::uint32_t SWP_NOMOVE = 0x2;
inline constexpr std::uint32_t SWP_SHOWWINDOW = 0x40;

// Only what the program uses: making a window topmost without moving or resizing it,
// and showing it. Returns 0 for a handle that names no window.
int SetWindowPos(std::intptr_t hwnd, std::intptr_t insert_after, int x, int y, int cx, int cy,
                 std::uint32_t flags);

}
