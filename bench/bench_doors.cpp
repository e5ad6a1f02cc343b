// Full door movements at several speeds against the ideal frames x N x 100 ns, the
// overhead of a frame (its repaint), and the delay from the end of the sound to the first
// frame of the middle door.
#include "BenchSupport.h"

#include "app/Form1.h"
#include "dialogs/frmSet.h"
#include "platform/Application.h"
#include "platform/Forms.h"
#include "platform/Sound.h"
#include "platform/Trace.h"

#include <QApplication>
#include <QWindow>
#include <optional>

namespace {

// Plays through the real sink and notes when the sound has ended.
class TimedSink : public platform::SoundSink {
public:
    explicit TimedSink(platform::SoundSink& real) : m_real(real) { }
    bool play(std::span<const std::uint8_t> wave) override
    {
        played = m_real.play(wave);
        ended = bench::Clock::now();
        return played;
    }
    bench::Clock::time_point ended;
    bool played { false };

private:
    platform::SoundSink& m_real;
};

// Notes when the first frame was on the screen (its pause begins), and how long each
// repaint took, from the last move before it to its end. Frames that change no pixel
// repaint nothing.
class FrameClock : public platform::trace::Recorder {
public:
    void record(const std::string& row) override
    {
        const auto now = bench::Clock::now();
        if (!first_pause && row.rfind("pause", 0) == 0)
            first_pause = now;
        if (row.find(" move ") != std::string::npos)
            m_frame_start = now;
        if (m_frame_start && row.find(" repaint ") != std::string::npos) {
            drawing += now - *m_frame_start;
            ++drawn;
            m_frame_start.reset();
        }
    }
    std::optional<bench::Clock::time_point> first_pause;
    bench::Clock::duration drawing {};
    int drawn { 0 };

private:
    std::optional<bench::Clock::time_point> m_frame_start;
};

struct Door {
    const char* name;
    int frames;
    platform::CheckBox& (*switch_of)(frmSet&);
    platform::HScrollBar& (*speed_of)(frmSet&);
};

struct Measured {
    double movement_ms;    // from the end of the sound (or the click) to the last frame
    double sound_to_first; // from the end of the sound to the first frame, ms
    double drawing_us;     // one repaint
    int repaints;
};

// One movement: the switch pressed, timed from the moment the door may start moving.
Measured measure(frmSet& panel, const Door& door, TimedSink& sink)
{
    FrameClock frames;
    platform::trace::set_recorder(&frames);
    const auto clicked = bench::Clock::now();
    sink.ended = clicked;
    door.switch_of(panel).press();
    const auto done = bench::Clock::now();
    platform::trace::set_recorder(nullptr);
    const auto from = std::max(clicked, sink.ended);
    const auto ms = [](auto d) { return std::chrono::duration<double, std::milli>(d).count(); };
    return { ms(done - from), frames.first_pause ? ms(*frames.first_pause - from) : -1,
             frames.drawn ? ms(frames.drawing) * 1000 / frames.drawn : 0, frames.drawn };
}

}

int main(int argc, char** argv)
{
    platform::Application application(argc, argv);
    Form1& bus = platform::window<Form1>();
    bus.Show();
    while (!bus.surface().windowHandle() || !bus.surface().windowHandle()->isExposed())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    QApplication::processEvents();
    frmSet& panel = platform::window<frmSet>();
    TimedSink sink(platform::sound_sink());
    platform::set_sound_sink(&sink);

    const Door doors[] = {
        { "front", 1026, [](frmSet& p) -> platform::CheckBox& { return p.Check1; },
          [](frmSet& p) -> platform::HScrollBar& { return p.HScroll1; } },
        { "middle", 671, [](frmSet& p) -> platform::CheckBox& { return p.Check2; },
          [](frmSet& p) -> platform::HScrollBar& { return p.HScroll2; } },
    };
    std::printf("platform: %s\n", qPrintable(QGuiApplication::platformName()));
    std::printf("%-7s %6s %11s %11s %14s %7s %9s %11s %17s\n", "door", "N", "wall ms", "ideal ms", "overhead us/f",
                "off %", "repaints", "us/repaint", "sound->frame ms");
    for (const Door& door : doors) {
        for (std::int16_t n : { 1, 1000, 10000, 30000 }) {
            door.speed_of(panel).set_value(n);
            const Measured opening = measure(panel, door, sink);
            measure(panel, door, sink); // closing again
            const double ideal = door.frames * n * 100e-6;
            const double overhead = opening.movement_ms - ideal;
            std::printf("%-7s %6d %11.1f %11.1f %14.1f %7.2f %9d %11.1f", door.name, n, opening.movement_ms, ideal,
                        overhead * 1000 / door.frames, overhead / ideal * 100, opening.repaints, opening.drawing_us);
            if (door.frames == 671)
                std::printf(" %17.3f%s", opening.sound_to_first, sink.played ? "" : " (no sound device)");
            std::printf("\n");
        }
    }
    platform::set_sound_sink(nullptr);
    platform::destroy_all_forms();
    return 0;
}
