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

PauseClock& pause_clock() { return Replaceable<PauseClock>::current(); }

}

template <>
PauseClock& Replaceable<PauseClock>::real()
{
    static SteadyPauseClock steady;
    return steady;
}

FramePacer::FramePacer() : m_frame_start(pause_clock().now()) { }

void FramePacer::end_frame(std::int32_t units)
{
    if (trace::recording())
        trace::record("pause " + std::to_string(units));
    const auto deadline = m_frame_start + std::chrono::nanoseconds(100LL * units);
    PauseClock& clock = pause_clock();
    const bool late = clock.now() >= deadline;
    clock.wait_until(deadline);
    // A late frame is not made up for by shorter ones after it; a pause on time ends at its
    // deadline, whatever the clock's reading overshot by, so that this does not add up.
    m_frame_start = late ? clock.now() : deadline;
}

}
