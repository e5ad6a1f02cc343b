#pragma once
// Playing a complete in-memory RIFF/WAVE image. The real sink plays on ALSA's "default"
// device; tests put a recording sink in its place (Override<SoundSink>).
#include "platform/system/Replaceable.h"

#include <cstdint>
#include <span>

namespace platform {

class SoundSink {
public:
    virtual ~SoundSink() = default;
    // Plays the image to its last sample and returns; returns at once on any failure.
    virtual bool play(std::span<const std::uint8_t> wave_image) = 0;
};

template <>
SoundSink& Replaceable<SoundSink>::real();

inline constexpr std::uint32_t SND_NODEFAULT = 0x0002;
inline constexpr std::uint32_t SND_MEMORY = 0x0004;

// Plays a memory image synchronously through the current sink; nonzero on success.
// Only SND_MEMORY | SND_NODEFAULT (synchronous) is supported.
int sndPlaySound(std::span<const std::uint8_t> wave_image, std::uint32_t flags);

}
