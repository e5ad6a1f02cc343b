#include "platform/Application.h"

#include "platform/Font.h"
#include "platform/Forms.h"

#include <QApplication>
#include <QIcon>
#include <cstdlib>

namespace platform {

void prefer_x11_platform()
{
    const bool wayland = std::getenv("WAYLAND_DISPLAY") != nullptr;
    const bool x11 = std::getenv("DISPLAY") != nullptr;
    const QByteArray asked = qgetenv("QT_QPA_PLATFORM");
    if (wayland && x11 && (asked.isEmpty() || asked.startsWith("wayland")))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

Application::Application(int& argc, char** argv)
{
    prefer_x11_platform();
    m_app = std::make_unique<QApplication>(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false); // the program ends only through End
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/assets/bus.ico")));
    // Wayland compositors find the menu entry, and with it the icon, by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.polkabus.QK31T0207"));
    install_font_substitutions();
}

Application::~Application() { destroy_all_forms(); }

int Application::run()
{
    const int status = QApplication::exec();
    destroy_all_forms();
    return status;
}

}
