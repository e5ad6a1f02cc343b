// Plays the middle door's sound through the real sink, once or as many times as the first
// argument says, for the sound-server test to judge. Prints a line before the first call and
// one after each: the answer, the milliseconds the call took, and the threads and open files
// the program then has ("- -" for the answer and time before the first call).
#include "platform/audio/Sound.h"
#include "platform/system/Resources.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iterator>

namespace {

long entries(const char* folder)
{
    const std::filesystem::directory_iterator all(folder);
    return static_cast<long>(std::distance(begin(all), end(all)));
}

void print_counts() { std::printf(" %ld %ld\n", entries("/proc/self/task"), entries("/proc/self/fd")); }

}

int main(int argc, char** argv)
{
    // As when started from a desktop, whatever the test runner ignores: a broken pipe under
    // the device would end the program.
    std::signal(SIGPIPE, SIG_DFL);
    const int calls = argc > 1 ? std::atoi(argv[1]) : 1;
    const auto sound = platform::LoadResData(101, "WAVE");
    std::printf("- -");
    print_counts();
    for (int call = 0; call < calls; ++call) {
        const auto start = std::chrono::steady_clock::now();
        const int answer = platform::sndPlaySound(sound, platform::SND_MEMORY | platform::SND_NODEFAULT);
        const auto elapsed = std::chrono::steady_clock::now() - start;
        std::printf("%d %lld", answer,
            static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count()));
        print_counts();
    }
}
