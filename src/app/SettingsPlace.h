#pragma once
// Where the settings file lives: beside the program, named after it ("<folder>/<name>.ini").
// A program whose folder the user cannot write to (one installed for all users) keeps it in
// the user's configuration folder instead, as "<config>/<name>/<name>.ini", and reads the
// file beside the program until that one exists. The file is written there whole or not at all.
#include "logic/SettingsRecord.h"

#include <string>

struct SettingsPlace {
    std::string read_path;
    std::string write_path;
};

// The program's folder, then "/" unless the folder ends with one, then the name and ".ini".
std::string settings_file_beside(const std::string& program_folder, const std::string& name);
std::string settings_file_in_config(const std::string& config_folder, const std::string& name);

// Found afresh at each call.
SettingsPlace settings_place();

// Writes the record to its place, replacing the old file only once the new one is whole.
void save_settings(const SettingsRecord& record);

// Tests keep the file in a folder of their own, in place of the program's; "" ends that.
void keep_settings_in(const std::string& folder);
