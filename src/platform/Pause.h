#pragma once
// The pause of a door step: `units` of 100 ns of real time, busy-waited on the monotonic
// clock. Nothing sleeps and no event is handled meanwhile.
#include <cstdint>

namespace platform {

void busy_wait_units(std::int32_t units);

}
