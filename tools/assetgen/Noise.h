#pragma once
// The generator's own pseudo-random source, so the hiss is the same on every run and
// every machine.
#include <cstdint>

namespace assetgen {

class Lcg {
public:
    explicit Lcg(std::uint32_t seed) : state_(seed) {}

    // Uniform in [-1, 1).
    double next_signed()
    {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<double>(state_ >> 8) / static_cast<double>(1u << 23) - 1.0;
    }

private:
    std::uint32_t state_;
};

}
