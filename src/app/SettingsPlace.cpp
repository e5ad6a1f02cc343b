#include "app/SettingsPlace.h"

#include "logic/SignPath.h"

#include "platform/system/FileBytes.h"
#include "platform/system/SafeFile.h"
#include "platform/system/System.h"

namespace {

std::string& folder_for_tests()
{
    static std::string folder;
    return folder;
}

std::string with_separator(std::string folder) { return logic::with_trailing_separator(folder); }

}

std::string settings_file_beside(const std::string& program_folder, const std::string& name)
{
    return with_separator(program_folder) + name + ".ini";
}

std::string settings_file_in_config(const std::string& config_folder, const std::string& name)
{
    return with_separator(config_folder) + name + "/" + name + ".ini";
}

SettingsPlace settings_place()
{
    const std::string folder = folder_for_tests().empty() ? platform::app_path() : folder_for_tests();
    const std::string name = platform::exe_name();
    const std::string beside = settings_file_beside(folder, name);
    if (platform::folder_writable(folder))
        return { beside, beside };
    const std::string in_config = settings_file_in_config(platform::user_config_folder(), name);
    return { platform::path_exists(in_config) ? in_config : beside, in_config };
}

void save_settings(const SettingsRecord& record)
{
    platform::save_file_safely(settings_place().write_path, write_settings(record));
}

void keep_settings_in(const std::string& folder) { folder_for_tests() = folder; }
