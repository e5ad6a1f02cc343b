#pragma once
// The ways the desktop ends or disturbs the program besides its own windows: a signal
// (logout, shutdown, a closed terminal, Ctrl+C), the session manager, and an X server that
// goes away under it.
#include <functional>

namespace platform {

struct DesktopEndings {
    // SIGTERM, SIGHUP, SIGINT, or the session manager ending the session: the program ends as
    // when the user closes its main window. Runs on the event loop, never in a signal handler.
    std::function<void()> end;
    // The session manager asks for the user's choices to be saved (a checkpoint).
    std::function<void()> save;
    // The program is about to wait for events: what should be saved if the display goes away.
    std::function<void()> note;
    // The display has gone away; no window may be touched. True when the settings were kept.
    std::function<bool()> display_lost;
};

// The exit status when the display went away under the program.
inline constexpr int DisplayLostStatus = 2;

// Takes effect for the running event loop of Application::run.
void handle_desktop_endings(DesktopEndings endings);

// Started by Application::run before its event loop: the signals are caught from here on.
void watch_desktop();
// Application::run's event loop has returned normally.
void desktop_loop_ended();

}
