#pragma once
// The two built-in sounds, as samples in -1..1 at kSampleRate.
#include <vector>

namespace assetgen {

// 0.8 s: the door engine's air release, a clunk as the valve opens, the hiss, and a
// soft thump when the door reaches its stop.
std::vector<double> door_air_sound();

// 2.0 s: a two-note "ding-dong" stop chime.
std::vector<double> stop_chime_sound();

}
