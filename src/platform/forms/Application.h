#pragma once
// The program's process: the window system connection and its one event loop.
#include "platform/forms/ProgramIdentity.h"

#include <memory>
#include <optional>
#include <string>

class QApplication;

namespace platform {

class Application {
public:
    Application(int& argc, char** argv, const ProgramIdentity& identity);
    ~Application();

    // Runs the event loop until End(); every window still there is destroyed before
    // the window system goes away.
    int run();

private:
    std::unique_ptr<QApplication> m_app;
};

// Under a Wayland session with an X server at hand, the program uses X11: a Wayland
// client can neither place its windows nor keep one above the others.
void prefer_x11_platform();

// Why the window system cannot be reached, checked before Qt is started (which would abort
// the program); nothing when it can, or when the platform is one Qt is left to judge.
std::optional<std::string> display_problem();

}
