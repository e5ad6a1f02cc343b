#include "platform/system/Pause.h"

#include "platform/system/Trace.h"

#include <string>

namespace platform {

namespace {

class SteadyPauseClock : public PauseClock {
public:
    time_point now() override { return std::chrono::steady_clock::now(); }
    void wait_until(time_point deadline) override
    {
        // Reading the clock is an observable call, so the loop cannot be optimised away.
        while (std::chrono::steady_clock::now() < deadline) {
        }
    }
};

SteadyPauseClock g_steady_clock;
PauseClock* g_clock = &g_steady_clock;

}

void set_pause_clock(PauseClock* clock) { g_clock = clock ? clock : &g_steady_clock; }

FramePacer::FramePacer() : m_frame_start(g_clock->now()) { }

void FramePacer::end_frame(std::int32_t units)
{
    if (trace::recording())
        trace::record("pause " + std::to_string(units));
    const auto deadline = m_frame_start + std::chrono::nanoseconds(100LL * units);
    const bool late = g_clock->now() >= deadline;
    g_clock->wait_until(deadline);
    // A late frame is not made up for by shorter ones after it; a pause on time ends at its
    // deadline, whatever the clock's reading overshot by, so that this does not add up.
    m_frame_start = late ? g_clock->now() : deadline;
}

}
