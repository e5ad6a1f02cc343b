#pragma once
// The program's place on the system: its folder, its name, the user's folders.
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

}
