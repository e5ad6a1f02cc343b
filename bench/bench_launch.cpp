// Start-up seen from outside: from starting the program to both its windows viewable on the X
// server, against a bare Qt program opening the same two windows, alternating runs on the same
// server. The observer speaks plain xcb so that nothing of Qt's own start shares its figure.
// Each run starts from a copy of the program in a fresh folder, which is also its working
// folder, so that the settings it saves beside itself on its way out are thrown away with it:
// a first start, and a later one that finds the settings a first start left there.
#include "BenchSupport.h"

#include <xcb/xcb.h>

#include <csignal>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <poll.h>
#include <string_view>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr int DefaultRuns = 21;
constexpr int WindowsAtStart = 2;
constexpr int GiveUpMs = 30000;
constexpr auto Settle = std::chrono::milliseconds(300);

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
ReplyPtr<Reply> owned(Reply* reply) { return { reply, &std::free }; }

// The top-level windows created on the server since the watch began, and which of them are
// a given process's and viewable. The window manager's frames are top-level windows too.
class WindowWatch {
public:
    WindowWatch()
        : m_connection(xcb_connect(nullptr, nullptr))
    {
        if (xcb_connection_has_error(m_connection))
            throw std::runtime_error("cannot connect to the X display");
        ::fcntl(xcb_get_file_descriptor(m_connection), F_SETFD, FD_CLOEXEC); // not the program's
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        constexpr std::string_view PidName = "_NET_WM_PID";
        const auto pid_atom = owned(xcb_intern_atom_reply(
            m_connection, xcb_intern_atom(m_connection, false, PidName.size(), PidName.data()), nullptr));
        if (!pid_atom)
            throw std::runtime_error("the X display names no atoms");
        m_pid_atom = pid_atom->atom;
        listen(m_root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY);
    }
    ~WindowWatch() { xcb_disconnect(m_connection); }
    WindowWatch(const WindowWatch&) = delete;
    WindowWatch& operator=(const WindowWatch&) = delete;

    // Forgets the windows seen so far and whatever the server has still to tell about them.
    void restart()
    {
        owned(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
        while (auto event = owned(xcb_poll_for_event(m_connection))) { }
        m_windows.clear();
    }

    // Waits until that many windows of the process are viewable at once; the moment the
    // deciding event arrived, or nothing after the time limit.
    std::optional<bench::Clock::time_point> await_viewable(int count, pid_t owner, bench::Clock::time_point limit)
    {
        while (auto event = next_event(limit)) {
            const auto arrived = bench::Clock::now();
            if (take(*event) && viewable_count(owner) >= count)
                return arrived;
        }
        return std::nullopt;
    }

private:
    void listen(xcb_window_t window, std::uint32_t mask)
    {
        xcb_change_window_attributes(m_connection, window, XCB_CW_EVENT_MASK, &mask);
    }

    ReplyPtr<xcb_generic_event_t> next_event(bench::Clock::time_point limit)
    {
        xcb_flush(m_connection);
        for (;;) {
            if (auto event = owned(xcb_poll_for_event(m_connection)))
                return event;
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(limit - bench::Clock::now());
            pollfd wait { xcb_get_file_descriptor(m_connection), POLLIN, 0 };
            if (left.count() <= 0 || ::poll(&wait, 1, static_cast<int>(left.count())) <= 0 || xcb_connection_has_error(m_connection))
                return owned<xcb_generic_event_t>(nullptr);
        }
    }

    // Whether the event may have changed which windows are viewable.
    bool take(const xcb_generic_event_t& event)
    {
        switch (event.response_type & 0x7f) {
        case XCB_CREATE_NOTIFY: {
            const auto& created = reinterpret_cast<const xcb_create_notify_event_t&>(event);
            if (created.parent == m_root && !created.override_redirect)
                adopt(created.window);
            return true;
        }
        case XCB_MAP_NOTIFY:
        case XCB_UNMAP_NOTIFY:
        case XCB_REPARENT_NOTIFY:
        case XCB_DESTROY_NOTIFY:
            return true;
        default:
            return false;
        }
    }

    // Listens to the window itself, for a window manager takes it away from the root. Its
    // state is read after that, as it may have been mapped before the listening began.
    void adopt(xcb_window_t window)
    {
        listen(window, XCB_EVENT_MASK_STRUCTURE_NOTIFY);
        m_windows.push_back(window);
    }

    struct Questions {
        xcb_window_t window;
        xcb_get_window_attributes_cookie_t attributes;
        xcb_get_property_cookie_t pid;
    };

    int viewable_count(pid_t owner)
    {
        std::vector<Questions> asked;
        for (const xcb_window_t window : m_windows)
            asked.push_back({ window, xcb_get_window_attributes(m_connection, window),
                              xcb_get_property(m_connection, false, window, m_pid_atom, XCB_ATOM_CARDINAL, 0, 1) });
        m_windows.clear();
        int count = 0;
        for (const Questions& question : asked) {
            const auto attributes = owned(xcb_get_window_attributes_reply(m_connection, question.attributes, nullptr));
            const auto pid = owned(xcb_get_property_reply(m_connection, question.pid, nullptr));
            if (!attributes || !pid)
                continue; // destroyed
            m_windows.push_back(question.window);
            count += attributes->_class != XCB_WINDOW_CLASS_INPUT_ONLY && !attributes->override_redirect
                && attributes->map_state == XCB_MAP_STATE_VIEWABLE && owned_by(*pid, owner);
        }
        return count;
    }

    static bool owned_by(const xcb_get_property_reply_t& pid, pid_t owner)
    {
        return xcb_get_property_value_length(&pid) == 4
            && *static_cast<const std::uint32_t*>(xcb_get_property_value(&pid)) == static_cast<std::uint32_t>(owner);
    }

    xcb_connection_t* m_connection;
    xcb_window_t m_root;
    xcb_atom_t m_pid_atom;
    std::vector<xcb_window_t> m_windows;
};

// A copy of the program in a fresh folder, removed with everything the program left there.
class LaunchFolder {
public:
    explicit LaunchFolder(const std::filesystem::path& program)
    {
        std::string name = (std::filesystem::temp_directory_path() / "bench_launch.XXXXXX").string();
        if (!::mkdtemp(name.data()))
            throw std::runtime_error("cannot make a launch folder");
        m_folder = name;
        m_program = m_folder / program.filename();
        std::filesystem::copy_file(program, m_program);
    }
    ~LaunchFolder() { std::filesystem::remove_all(m_folder); }
    LaunchFolder(const LaunchFolder&) = delete;
    LaunchFolder& operator=(const LaunchFolder&) = delete;

    const std::filesystem::path& folder() const { return m_folder; }
    const std::filesystem::path& program() const { return m_program; }

private:
    std::filesystem::path m_folder;
    std::filesystem::path m_program;
};

pid_t start(const LaunchFolder& launch)
{
    const pid_t child = ::fork();
    if (child == 0) {
        const int quiet = ::open("/dev/null", O_RDWR);
        ::dup2(quiet, STDOUT_FILENO);
        ::dup2(quiet, STDERR_FILENO);
        if (::chdir(launch.folder().c_str()) == 0)
            ::execl(launch.program().c_str(), launch.program().c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    if (child < 0)
        throw std::runtime_error("cannot start a program");
    return child;
}

// Asks the program to end, and makes it if it has not within a few seconds.
void stop(pid_t child)
{
    ::kill(child, SIGTERM);
    for (int waited = 0; waited < 50; ++waited) {
        if (::waitpid(child, nullptr, WNOHANG) == child)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
}

// Milliseconds from starting the program in its folder to both its windows viewable.
double start_once(WindowWatch& watch, const LaunchFolder& launch)
{
    watch.restart();
    const auto begun = bench::Clock::now();
    const pid_t child = start(launch);
    const auto shown = watch.await_viewable(WindowsAtStart, child, begun + std::chrono::milliseconds(GiveUpMs));
    stop(child);
    std::this_thread::sleep_for(Settle); // the window manager lets the windows go
    if (!shown)
        throw std::runtime_error(launch.program().filename().string() + " did not show both its windows");
    return std::chrono::duration<double, std::milli>(*shown - begun).count();
}

// One run in a fresh folder; a later start is timed after a first one that has left its
// settings beside the program, as a user's program has.
double launch_ms(WindowWatch& watch, const std::filesystem::path& program, bool later_start)
{
    const LaunchFolder launch(program);
    if (later_start)
        start_once(watch, launch);
    return start_once(watch, launch);
}

void print_row(const char* what, const bench::Spread& time)
{
    std::printf("%-22s %10.1f %10.1f\n", what, time.best, time.median);
}

}

int main(int argc, char** argv)
{
    const std::filesystem::path ours = argc > 1 ? argv[1] : OUR_PROGRAM;
    const std::filesystem::path bare = argc > 2 ? argv[2] : BARE_PROGRAM;
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : DefaultRuns;
    try {
        WindowWatch watch;
        launch_ms(watch, bare, false); // both read into the file cache once
        launch_ms(watch, ours, false);
        std::printf("%-22s %10s %10s   (%d runs each)\n", "start to both windows", "best ms", "median ms", runs);
        for (const bool later_start : { false, true }) {
            std::vector<double> bare_samples, our_samples;
            for (int i = 0; i < runs; ++i) {
                bare_samples.push_back(launch_ms(watch, bare, later_start));
                our_samples.push_back(launch_ms(watch, ours, later_start));
            }
            const bench::Spread bare_time = bench::spread(bare_samples);
            const bench::Spread our_time = bench::spread(our_samples);
            std::printf("%s\n", later_start ? "a later start, the settings of the first beside it" : "a first start");
            print_row("bare Qt program", bare_time);
            print_row(ours.filename().c_str(), our_time);
            std::printf("%-22s %10.2f %10.2f\n", "ours / bare", our_time.best / bare_time.best,
                        our_time.median / bare_time.median);
        }
    } catch (const std::exception& problem) {
        std::fprintf(stderr, "bench_launch: %s\n", problem.what());
        return 1;
    }
    return 0;
}
