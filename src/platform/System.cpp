#include "platform/System.h"

#include "platform/WindowHandles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QWidget>
#include <cstdlib>
#include <string_view>
#include <unistd.h>

namespace platform {

std::string app_path() { return QCoreApplication::applicationDirPath().toStdString(); }

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
    return program_name(QFile::encodeName(QFileInfo(QCoreApplication::applicationFilePath()).fileName()).toStdString());
}

bool folder_writable(const std::string& folder) { return ::access(folder.c_str(), W_OK | X_OK) == 0; }

std::string user_config_folder()
{
    const char* configured = std::getenv("XDG_CONFIG_HOME");
    if (configured && configured[0] == '/')
        return configured;
    return QFile::encodeName(QDir::homePath()).toStdString() + "/.config";
}

int SetWindowPos(std::intptr_t hwnd, std::intptr_t insert_after, int, int, int, int, std::uint32_t flags)
{
    QWidget* window = window_of_handle(hwnd);
    if (!window)
        return 0;
    window = window->window();
    const bool was_visible = window->isVisible();
    if (insert_after == HWND_TOPMOST && !window->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
        const QPoint place = window->pos();
        window->setWindowFlag(Qt::WindowStaysOnTopHint, true); // hides a shown window
        window->move(place);
    }
    if (was_visible || (flags & SWP_SHOWWINDOW))
        window->show();
    return 1;
}

}
