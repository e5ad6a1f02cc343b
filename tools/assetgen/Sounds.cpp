#include "Sounds.h"

#include "Noise.h"
#include "Wave.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace assetgen {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

std::vector<double> silence(double seconds)
{
    return std::vector<double>(static_cast<std::size_t>(std::lround(seconds * kSampleRate)), 0.0);
}

double seconds_at(std::size_t index) { return static_cast<double>(index) / kSampleRate; }

// Coefficient of a one-pole low-pass filter with the given corner frequency.
double one_pole(double corner_hz) { return 1.0 - std::exp(-kTwoPi * corner_hz / kSampleRate); }

// A damped low tone whose pitch sags as it dies: how a metal stop sounds through a body panel.
void add_thump(std::vector<double>& samples, double start, double amplitude, double pitch_hz)
{
    double phase = 0.0;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double t = seconds_at(i) - start;
        if (t < 0.0)
            continue;
        const double pitch = pitch_hz * (0.6 + 0.4 * std::exp(-t / 0.03));
        phase += kTwoPi * pitch / kSampleRate;
        const double envelope = (1.0 - std::exp(-t / 0.002)) * std::exp(-t / 0.045);
        samples[i] += amplitude * envelope * std::sin(phase);
    }
}

// Air escaping from the valve: band-limited noise, fast attack, falling pressure makes it
// both quieter and duller.
void add_hiss(std::vector<double>& samples, double start, double amplitude)
{
    Lcg noise(0x5eed1234u);
    double bright = 0.0;
    double rumble = 0.0;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double white = noise.next_signed();
        const double t = seconds_at(i) - start;
        if (t < 0.0)
            continue;
        const double pressure = std::exp(-t / 0.24);
        bright += one_pole(2200.0 + 3800.0 * pressure) * (white - bright);
        rumble += one_pole(700.0) * (bright - rumble);
        const double envelope = (1.0 - std::exp(-t / 0.012)) * pressure;
        samples[i] += amplitude * envelope * (bright - rumble);
    }
}

// Strikes a bell-like note: a few partials, the higher ones dying sooner.
void add_bell(std::vector<double>& samples, double start, double pitch_hz, double amplitude)
{
    struct Partial { double ratio, level, decay; };
    constexpr Partial partials[] = {
        {1.0, 1.0, 0.90}, {2.0, 0.30, 0.45}, {3.0, 0.10, 0.22}, {4.16, 0.05, 0.12}};
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double t = seconds_at(i) - start;
        if (t < 0.0)
            continue;
        const double attack = 1.0 - std::exp(-t / 0.003);
        double tone = 0.0;
        for (const Partial& p : partials)
            tone += p.level * std::exp(-t / p.decay) * std::sin(kTwoPi * pitch_hz * p.ratio * t);
        samples[i] += amplitude * attack * tone;
    }
}

// Tapers the last `seconds` to silence so the sound never ends on a click.
void fade_out(std::vector<double>& samples, double seconds)
{
    const auto taper = static_cast<std::size_t>(seconds * kSampleRate);
    const std::size_t first = samples.size() - taper;
    for (std::size_t i = first; i < samples.size(); ++i) {
        const double x = static_cast<double>(samples.size() - 1 - i) / static_cast<double>(taper);
        samples[i] *= 0.5 - 0.5 * std::cos(std::numbers::pi * x);
    }
}

void normalise(std::vector<double>& samples, double peak)
{
    double loudest = 0.0;
    for (double s : samples)
        loudest = std::max(loudest, std::abs(s));
    for (double& s : samples)
        s *= peak / loudest;
}

}

std::vector<double> door_air_sound()
{
    std::vector<double> samples = silence(0.8);
    add_thump(samples, 0.004, 0.55, 110.0);
    add_hiss(samples, 0.010, 1.0);
    add_thump(samples, 0.46, 0.35, 85.0);
    fade_out(samples, 0.06);
    normalise(samples, 0.8);
    return samples;
}

std::vector<double> stop_chime_sound()
{
    std::vector<double> samples = silence(2.0);
    add_bell(samples, 0.02, 659.26, 1.0); // E5
    add_bell(samples, 0.62, 523.25, 1.0); // C5
    fade_out(samples, 0.25);
    normalise(samples, 0.7);
    return samples;
}

}
