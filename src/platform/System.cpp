#include "platform/System.h"

#include "platform/WindowHandles.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QDir>
#include <QWidget>
#include <cstdlib>
#include <unistd.h>

namespace platform {

std::string app_path() { return QCoreApplication::applicationDirPath().toStdString(); }

std::string exe_name()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName().toStdString();
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
