#pragma once
// The pause of a door step. A frame lasts `units` of 100 ns from the moment it began, its
// drawing included: the time spent drawing comes out of the pause, and a frame that drew for
// longer has no pause at all, the next frame following at once without making up for it
// later. The wait busy-polls the monotonic clock: nothing sleeps and no event is handled.
#include "platform/system/Replaceable.h"

#include <chrono>
#include <cstdint>

namespace platform {

// The clock a pause waits on. Tests put one of their own in its place.
class PauseClock {
public:
    using time_point = std::chrono::steady_clock::time_point;
    virtual ~PauseClock() = default;
    virtual time_point now() = 0;
    // Returns once now() has reached `deadline` (at once when it already has).
    virtual void wait_until(time_point deadline) = 0;
};

// The monotonic clock.
template <>
PauseClock& Replaceable<PauseClock>::real();

// The frames of one movement, one after the other.
class FramePacer {
public:
    FramePacer(); // the first frame begins now

    // Ends the current frame `units` after it began (or now, when its drawing took longer);
    // the next frame begins when this one has really ended.
    void end_frame(std::int32_t units);

private:
    PauseClock::time_point m_frame_start;
};

}
