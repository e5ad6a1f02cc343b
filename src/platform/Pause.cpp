#include "platform/Pause.h"

#include "platform/Trace.h"

#include <chrono>
#include <string>

namespace platform {

void busy_wait_units(std::int32_t units)
{
    if (trace::recording())
        trace::record("pause " + std::to_string(units));
    using clock = std::chrono::steady_clock;
    const auto end = clock::now() + std::chrono::nanoseconds(100LL * units);
    // Reading the clock is an observable call, so the loop cannot be optimised away.
    while (clock::now() < end) {
    }
}

}
