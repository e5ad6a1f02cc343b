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
    // A display that cannot be reached ends the program here, with status 1 and one line
    // on stderr, as display_problem's do.
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

// Why the window system cannot be reached, as far as is known without connecting to it
// (which Qt does once, when it starts); nothing when it may be, or when the platform is one
// Qt is left to judge.
std::optional<std::string> display_problem();

// The line that says why the program cannot start, on stderr: "<program>: <problem>".
void print_start_problem(const char* argv0, const std::string& problem);

}
