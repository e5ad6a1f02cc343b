// Plays the middle door's sound through the real sink and prints how many milliseconds
// the call took, for the sound-server test to judge.
#include "app/Common.h"

#include <chrono>
#include <cstdio>

int main()
{
    const auto start = std::chrono::steady_clock::now();
    Common::PlayWave(101);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
    std::printf("%lld\n", static_cast<long long>(ms));
}
