// Full door movements at several speeds against the ideal frames x N x 100 ns (timed with no
// recorder listening), the cost of
// a frame's repaint next to a bare Qt widget that repaints the same areas in the same run,
// and the delay from the end of the sound to the first frame of the middle door.
#include "BenchSupport.h"

#include "app/Form1.h"
#include "app/Identity.h"
#include "dialogs/frmSet.h"
#include "platform/audio/Sound.h"
#include "platform/forms/Application.h"
#include "platform/forms/Forms.h"
#include "platform/picture/LoadPicture.h"
#include "platform/system/Trace.h"

#include <QApplication>
#include <QPainter>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cstdlib>
#include <optional>
#include <thread>
#include <sys/resource.h>
#include <time.h>

namespace {

using Micro = std::chrono::duration<double, std::micro>;

// How often the system took the processor away from this program: on a loaded machine a
// busy wait is cut off now and then, and that frame ends late.
long preemptions()
{
    rusage usage {};
    getrusage(RUSAGE_THREAD, &usage); // the door thread alone, not Qt's X reader
    return usage.ru_nivcsw;
}

// The thread's own time on the processor. A busy door thread that ran for less than the wall
// time was preempted, or, on a virtual machine, its processor was taken away by the host.
std::chrono::nanoseconds running()
{
    timespec used {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &used);
    return std::chrono::seconds(used.tv_sec) + std::chrono::nanoseconds(used.tv_nsec);
}

// Plays through the real sink and notes when the sound has ended.
class TimedSink : public platform::SoundSink {
public:
    explicit TimedSink(platform::SoundSink& real) : m_real(real) { }
    bool play(std::span<const std::uint8_t> wave) override
    {
        played = m_real.play(wave);
        ended = bench::Clock::now();
        preempted_at_end = preemptions();
        running_at_end = running();
        return played;
    }
    bench::Clock::time_point ended;
    long preempted_at_end { 0 };
    std::chrono::nanoseconds running_at_end { 0 };
    bool played { false };

private:
    platform::SoundSink& m_real;
};

struct DoorPicture {
    platform::Image& (*of)(Form1&);
    const char* asset;
};

struct Door {
    const char* name;
    int frames;
    platform::CheckBox& (*switch_of)(frmSet&);
    platform::HScrollBar& (*speed_of)(frmSet&);
    std::vector<DoorPicture> pictures;
};

// One repaint of a movement: the area, and where each door picture stood.
struct Repaint {
    QRect area;
    std::vector<QRect> pictures;
};

// Notes when the first frame was on the screen (its pause begins), how long each repaint
// took, from the last move before it to its end, and what it covered. Frames that change no
// pixel repaint nothing.
class FrameClock : public platform::trace::Recorder {
public:
    FrameClock(Form1& bus, const Door& door) : m_bus(bus), m_door(door) { }
    void record(const std::string& row) override
    {
        const auto now = bench::Clock::now();
        if (!first_pause && row.rfind("pause", 0) == 0)
            first_pause = now;
        if (row.find(" move ") != std::string::npos)
            m_frame_start = now;
        if (m_frame_start && row.find(" repaint ") != std::string::npos) {
            drawing_us.push_back(Micro(now - *m_frame_start).count());
            m_frame_start.reset();
            repaints.push_back(snapshot(row));
        }
    }
    std::optional<bench::Clock::time_point> first_pause;
    std::vector<double> drawing_us;
    std::vector<Repaint> repaints;

private:
    Repaint snapshot(const std::string& row) const
    {
        Repaint repaint;
        int x, y, w, h;
        if (std::sscanf(row.c_str() + row.find(" repaint ") + 9, "%d %d %d %d", &x, &y, &w, &h) == 4)
            repaint.area = QRect(x, y, w, h);
        for (const DoorPicture& picture : m_door.pictures)
            repaint.pictures.push_back(picture.of(m_bus).pixel_rect());
        return repaint;
    }
    Form1& m_bus;
    const Door& m_door;
    std::optional<bench::Clock::time_point> m_frame_start;
};

// What a bare Qt program does for a door frame: the background picture and the door
// pictures stretched over it, repainted synchronously.
class BareDoorWidget : public QWidget {
public:
    explicit BareDoorWidget(const QPixmap& background) : m_background(background)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        resize(background.size());
    }
    std::vector<std::pair<QRect, const QPixmap*>> doors;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.drawPixmap(0, 0, m_background);
        for (const auto& [place, pixmap] : doors)
            painter.drawPixmap(place, *pixmap);
    }

private:
    const QPixmap& m_background;
};

void wait_exposed(QWidget& widget)
{
    while (!widget.windowHandle() || !widget.windowHandle()->isExposed())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    QApplication::processEvents();
}

void busy_wait(bench::Clock::duration gap)
{
    const auto end = bench::Clock::now() + gap;
    while (bench::Clock::now() < end) {
    }
}

// The same repaints by the bare widget, spaced as in the movement: an X server left idle for
// longer answers more slowly.
double bare_repaint_us(BareDoorWidget& bare, const std::vector<const QPixmap*>& pixmaps,
                       const std::vector<Repaint>& repaints, bench::Clock::duration gap)
{
    std::vector<double> samples;
    for (const Repaint& repaint : repaints) {
        bare.doors.clear();
        for (std::size_t i = 0; i < pixmaps.size(); ++i)
            bare.doors.emplace_back(repaint.pictures[i], pixmaps[i]);
        const auto start = bench::Clock::now();
        bare.repaint(repaint.area);
        samples.push_back(Micro(bench::Clock::now() - start).count());
        busy_wait(gap);
    }
    return samples.empty() ? 0 : bench::spread(samples).median;
}

struct Measured {
    double movement_ms;    // from the end of the sound (or the click) to the last frame
    double sound_to_first; // from the end of the sound to the first frame, ms
    double repaint_us;     // one repaint, median
    long preempted;
    double not_running_ms; // wall time the thread did not run
    std::vector<Repaint> repaints;
};

// One movement: the switch pressed, timed from the moment the door may start moving. Its
// frames are noted only when `traced`: noting them costs each frame time of its own.
Measured measure(Form1& bus, frmSet& panel, const Door& door, TimedSink& sink, bool traced)
{
    FrameClock frames(bus, door);
    std::optional<platform::Override<platform::trace::Recorder>> noting;
    if (traced)
        noting.emplace(frames);
    const auto clicked = bench::Clock::now();
    sink.ended = clicked;
    sink.preempted_at_end = preemptions();
    sink.running_at_end = running();
    door.switch_of(panel).press();
    const auto done = bench::Clock::now();
    const long preempted = preemptions() - sink.preempted_at_end; // in the movement, not in the sound
    const auto ran = running() - sink.running_at_end;
    noting.reset();
    const auto from = std::max(clicked, sink.ended);
    const auto ms = [](auto d) { return std::chrono::duration<double, std::milli>(d).count(); };
    return { ms(done - from), frames.first_pause ? ms(*frames.first_pause - from) : -1,
             frames.drawing_us.empty() ? 0 : bench::spread(frames.drawing_us).median, preempted,
             ms(done - from - ran), std::move(frames.repaints) };
}

// The event loop's turn, and a moment before the next click, as between a user's clicks.
void back_to_the_user()
{
    QApplication::processEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    QApplication::processEvents();
}

// The middle door at N = 1,000 opened `runs` times as a user has it, each time after its
// sound, after two movements each way: how far each opening is over the ideal.
void middle_door_runs(Form1& bus, frmSet& panel, const Door& middle, TimedSink& sink, int runs)
{
    constexpr std::int16_t n = 1000;
    middle.speed_of(panel).set_value(n);
    const double ideal = middle.frames * n * 100e-6;
    for (int warm_up = 0; warm_up < 2; ++warm_up) { // the X server meets each door width once
        measure(bus, panel, middle, sink, false);
        measure(bus, panel, middle, sink, false);
    }
    back_to_the_user();
    int on_time = 0;
    double worst = 0;
    std::printf("middle door, N = %d, %d openings after the sound (ideal %.1f ms), over (times preempted, ms not running):\n ", n, runs, ideal);
    for (int run = 0; run < runs; ++run) {
        const Measured opening = measure(bus, panel, middle, sink, false);
        const double over = (opening.movement_ms - ideal) / ideal * 100;
        back_to_the_user();
        measure(bus, panel, middle, sink, false); // closing again
        back_to_the_user();
        on_time += over <= 1.0 ? 1 : 0;
        worst = std::max(worst, over);
        std::printf(" %+.2f%% (%ld, %.1f)", over, opening.preempted, opening.not_running_ms);
    }
    std::printf("\n  within 1 %%: %d of %d; worst %+.2f %%%s\n", on_time, runs, worst, sink.played ? "" : " (no sound device)");
}

}

int main(int argc, char** argv)
{
    platform::Application application(argc, argv, BusIdentity);
    Form1& bus = platform::window<Form1>();
    bus.Show();
    wait_exposed(bus.surface());
    frmSet& panel = platform::window<frmSet>();
    TimedSink sink(platform::Replaceable<platform::SoundSink>::real());
    const platform::Override<platform::SoundSink> timed(sink);

    const platform::Picture body = platform::LoadAssetPicture("bus_body.bmp");
    BareDoorWidget bare(*body.pixmap());
    bare.move(0, 400); // clear of the bus
    bare.show();
    wait_exposed(bare);

    const Door doors[] = {
        { "front", 1026, [](frmSet& p) -> platform::CheckBox& { return p.Check1; },
          [](frmSet& p) -> platform::HScrollBar& { return p.HScroll1; },
          { { [](Form1& b) -> platform::Image& { return b.Image1(2); }, "front_door.bmp" } } },
        { "middle", 671, [](frmSet& p) -> platform::CheckBox& { return p.Check2; },
          [](frmSet& p) -> platform::HScrollBar& { return p.HScroll2; },
          { { [](Form1& b) -> platform::Image& { return b.imgNakaorido(0); }, "middle_leaf_left.bmp" },
            { [](Form1& b) -> platform::Image& { return b.imgNakaorido(1); }, "middle_leaf_right.bmp" } } },
    };
    std::printf("platform: %s\n", qPrintable(QGuiApplication::platformName()));
    if (argc > 1) {
        middle_door_runs(bus, panel, doors[1], sink, std::atoi(argv[1]));
        platform::destroy_all_forms();
        return 0;
    }
    std::printf("%-7s %6s %10s %10s %13s %7s %9s %8s %10s %8s %7s %16s\n", "door", "N", "wall ms", "ideal ms",
                "overhead us/f", "off %", "preempted", "repaints", "repaint us", "bare us", "x bare",
                "sound->frame ms");
    for (const Door& door : doors) {
        std::vector<platform::Picture> pictures;
        std::vector<const QPixmap*> pixmaps;
        for (const DoorPicture& picture : door.pictures)
            pixmaps.push_back(pictures.emplace_back(platform::LoadAssetPicture(picture.asset)).pixmap());
        bool first = true; // its repaints stretch each width of the door for the first time
        for (std::int16_t n : { 1, 1, 1000, 10000, 30000 }) {
            door.speed_of(panel).set_value(n);
            Measured opening = measure(bus, panel, door, sink, true);
            measure(bus, panel, door, sink, true); // closing again
            const Measured timed = measure(bus, panel, door, sink, false); // as a user has it
            opening.movement_ms = timed.movement_ms;
            opening.preempted = timed.preempted;
            measure(bus, panel, door, sink, false);
            const auto gap = std::chrono::nanoseconds(100LL * n * door.frames / std::max<std::size_t>(1, opening.repaints.size()));
            const double bare_us = bare_repaint_us(bare, pixmaps, opening.repaints, gap);
            const double ideal = door.frames * n * 100e-6;
            const double overhead = opening.movement_ms - ideal;
            std::printf("%-7s %6d %10.1f %10.1f %13.2f %7.2f %9ld %8zu %10.1f %8.1f %7.2f", door.name, n,
                        opening.movement_ms, ideal, overhead * 1000 / door.frames, overhead / ideal * 100,
                        opening.preempted, opening.repaints.size(), opening.repaint_us, bare_us,
                        opening.repaint_us / bare_us);
            if (door.frames == 671)
                std::printf(" %16.3f%s", opening.sound_to_first, sink.played ? "" : " (no sound device)");
            std::printf("%s\n", std::exchange(first, false) ? "  (first movement)" : "");
        }
    }
    platform::destroy_all_forms();
    return 0;
}
