#include "platform/audio/Sound.h"

#include "platform/audio/AlsaSoundSink.h"

namespace platform {

template <>
SoundSink& Replaceable<SoundSink>::real()
{
    static AlsaSoundSink speaker;
    return speaker;
}

int sndPlaySound(std::span<const std::uint8_t> wave_image, std::uint32_t flags)
{
    // Only a synchronous play of an image in memory: no file names, no looping.
    constexpr std::uint32_t supported = SND_MEMORY | SND_NODEFAULT;
    if ((flags & SND_MEMORY) == 0 || (flags & ~supported) != 0 || wave_image.empty())
        return 0;
    return Replaceable<SoundSink>::current().play(wave_image) ? 1 : 0;
}

}
