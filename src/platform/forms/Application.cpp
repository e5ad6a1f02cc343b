#include "platform/forms/Application.h"

#include "platform/forms/DesktopEnd.h"
#include "platform/forms/Font.h"
#include "platform/forms/Forms.h"
#include "platform/system/Resources.h"
#include "platform/x11/DisplayProbe.h"

#include <QApplication>
#include <QIcon>

#include <cstdlib>
#include <filesystem>

namespace platform {

void prefer_x11_platform()
{
    const bool wayland = std::getenv("WAYLAND_DISPLAY") != nullptr;
    const bool x11 = std::getenv("DISPLAY") != nullptr;
    const QByteArray asked = qgetenv("QT_QPA_PLATFORM");
    if (wayland && x11 && (asked.isEmpty() || asked.startsWith("wayland")))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

namespace {

// Only whether the compositor's socket is there; the rest is left to Qt.
std::optional<std::string> wayland_problem(const std::string& display)
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::filesystem::path socket = display.starts_with('/') || runtime == nullptr
        ? std::filesystem::path(display)
        : std::filesystem::path(runtime) / display;
    std::error_code ignored;
    if (!std::filesystem::is_socket(socket, ignored))
        return "cannot connect to the Wayland display \"" + display + "\"";
    return std::nullopt;
}

}

std::optional<std::string> display_problem()
{
    prefer_x11_platform();
    const QByteArray asked = qgetenv("QT_QPA_PLATFORM");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if (asked.isEmpty() && wayland != nullptr)
        return wayland_problem(wayland);
    if (asked.isEmpty() || asked.startsWith("xcb"))
        return x11_problem();
    return std::nullopt; // another platform asked for by name: Qt judges it
}

Application::Application(int& argc, char** argv, const ProgramIdentity& identity)
{
    prefer_x11_platform();
    m_app = std::make_unique<QApplication>(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false); // the program ends only through End
    set_program_identity(identity);
    QApplication::setWindowIcon(QIcon(QString::fromStdString(asset_path(identity.icon_asset))));
    // Wayland compositors find the menu entry, and with it the icon, by this name.
    QGuiApplication::setDesktopFileName(QString::fromStdString(identity.desktop_id));
    install_font_substitutions();
}

Application::~Application() { destroy_all_forms(); }

int Application::run()
{
    watch_desktop();
    const int status = QApplication::exec();
    desktop_loop_ended();
    destroy_all_forms();
    return status;
}

}
