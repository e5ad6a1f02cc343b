#include "platform/forms/Application.h"

#include "platform/forms/DesktopEnd.h"
#include "platform/forms/Font.h"
#include "platform/forms/Forms.h"
#include "platform/forms/PlatformStart.h"
#include "platform/forms/WindowIcon.h"

#include <QApplication>

#include <cstdio>
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

// Qt connects to the X server when it starts: only whether there is one to connect to.
std::optional<std::string> x11_problem()
{
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0')
        return "no display to show the windows on (DISPLAY is not set)";
    return std::nullopt;
}

bool x11_chosen()
{
    const QByteArray asked = qgetenv("QT_QPA_PLATFORM");
    return asked.startsWith("xcb") || (asked.isEmpty() && std::getenv("WAYLAND_DISPLAY") == nullptr);
}

std::string x11_unreachable() { return "cannot connect to the X display \"" + qEnvironmentVariable("DISPLAY").toStdString() + "\""; }

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

void print_start_problem(const char* argv0, const std::string& problem)
{
    const std::string name = argv0 ? std::filesystem::path(argv0).filename().string() : "QK31T0207";
    std::fprintf(stderr, "%s: %s\n", name.c_str(), problem.c_str());
}

Application::Application(int& argc, char** argv, const ProgramIdentity& identity)
{
    prefer_x11_platform();
    {
        const PlatformStart start(argc > 0 ? argv[0] : nullptr, x11_chosen() ? x11_unreachable() : "");
        m_app = std::make_unique<QApplication>(argc, argv);
    }
    QApplication::setQuitOnLastWindowClosed(false); // the program ends only through End
    set_program_identity(identity);
    QApplication::setWindowIcon(window_icon(identity.icon_asset));
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
