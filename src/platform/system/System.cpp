#include "platform/system/System.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <climits>
#include <cstdlib>
#include <string_view>
#include <unistd.h>

namespace platform {

namespace {

// The running executable's path as the file system holds it: bytes, whatever the locale makes
// of them. A file replaced while the program runs is still the program's own name.
std::string executable_path()
{
    std::string path(PATH_MAX, '\0');
    const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
    if (length <= 0)
        return QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString();
    path.resize(static_cast<std::size_t>(length));
    constexpr std::string_view replaced = " (deleted)";
    if (path.ends_with(replaced))
        path.resize(path.size() - replaced.size());
    return path;
}

}

std::string app_path()
{
    const std::string path = executable_path();
    const std::size_t slash = path.rfind('/');
    return slash == 0 || slash == std::string::npos ? path.substr(0, 1) : path.substr(0, slash);
}

std::string program_name(const std::string& file_name)
{
    // Linux executables carry no extension: a dot is part of the name, only ".exe" is not.
    constexpr std::string_view exe = ".exe";
    if (file_name.size() > exe.size()) {
        const std::string tail = QString::fromStdString(file_name.substr(file_name.size() - exe.size())).toLower().toStdString();
        if (tail == exe)
            return file_name.substr(0, file_name.size() - exe.size());
    }
    return file_name;
}

std::string exe_name()
{
    const std::string path = executable_path();
    return program_name(path.substr(path.rfind('/') + 1));
}

bool folder_writable(const std::string& folder) { return ::access(folder.c_str(), W_OK | X_OK) == 0; }

std::string user_config_folder()
{
    const char* configured = std::getenv("XDG_CONFIG_HOME");
    if (configured && configured[0] == '/')
        return configured;
    return QFile::encodeName(QDir::homePath()).toStdString() + "/.config";
}


}
