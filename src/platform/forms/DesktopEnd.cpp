#include "platform/forms/DesktopEnd.h"

#include <QAbstractEventDispatcher>
#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QThread>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace platform {

namespace {

// Never destroyed: the exit handler below may run after the program's other statics are gone.
DesktopEndings& endings()
{
    static auto* kept = new DesktopEndings;
    return *kept;
}

bool g_loop_running = false;
bool g_end_asked = false;
int g_signal_pipe[2] { -1, -1 };

void ask_end()
{
    if (std::exchange(g_end_asked, true) || !endings().end)
        return;
    endings().end();
}

// All a signal handler may do: wake the event loop.
void on_signal(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t ignored = write(g_signal_pipe[1], &byte, 1);
    errno = saved;
}

void catch_signals()
{
    if (pipe2(g_signal_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto* notifier = new QSocketNotifier(g_signal_pipe[0], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, [] {
        char bytes[64];
        while (read(g_signal_pipe[0], bytes, sizeof bytes) > 0) { }
        ask_end();
    });
    for (const int signal : { SIGTERM, SIGHUP, SIGINT }) {
        struct sigaction previous {};
        sigaction(signal, nullptr, &previous);
        if (previous.sa_handler == SIG_IGN)
            continue; // started with it ignored (nohup): it stays so
        struct sigaction action {};
        action.sa_handler = on_signal;
        action.sa_flags = SA_RESTART;
        sigemptyset(&action.sa_mask);
        sigaction(signal, &action, nullptr);
    }
}

// The session manager's Die reaches the program as a Quit, on which Qt would close each window
// and give up at the first that stays; the program ends its own way instead.
class QuitFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != qApp || event->type() != QEvent::Quit)
            return false;
        ask_end();
        return true;
    }
};

void join_session()
{
    qApp->installEventFilter(new QuitFilter(qApp));
    QObject::connect(qGuiApp, &QGuiApplication::commitDataRequest, qApp, [](QSessionManager&) {
        if (endings().save)
            endings().save();
    }, Qt::DirectConnection);
}

void note_when_idle()
{
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, qApp, [] {
        if (endings().note)
            endings().note();
    });
}

// Qt ends the process with exit() from inside the event loop when the X server goes away;
// the windows must not be touched then, only the settings kept.
void on_exit()
{
    const bool on_loop_thread = qApp != nullptr && QThread::currentThread() == qApp->thread();
    if (!g_loop_running || !on_loop_thread || !endings().display_lost)
        return;
    g_loop_running = false;
    const bool kept = endings().display_lost();
    std::fprintf(stderr, "%s: the display went away; %s\n", program_invocation_short_name,
                 kept ? "the settings were saved" : "the settings could not be saved");
    std::fflush(nullptr);
    std::_Exit(DisplayLostStatus);
}

}

void handle_desktop_endings(DesktopEndings given) { endings() = std::move(given); }

void watch_desktop()
{
    static bool watching = false;
    if (!std::exchange(watching, true)) {
        catch_signals();
        join_session();
        note_when_idle();
        // Registered once the windows exist, so that it runs before the exit handlers of
        // whatever was made before it.
        std::atexit(on_exit);
    }
    g_end_asked = false;
    g_loop_running = true;
}

void desktop_loop_ended() { g_loop_running = false; }

}
