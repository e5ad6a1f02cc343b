#pragma once
// The real sound sink: plays a RIFF/WAVE image on ALSA's "default" playback device and
// returns when the last sample has been heard, and never before the sound's own length has
// passed since the device took its first samples. A busy or absent device, or an image it
// cannot play, makes it return false at once without a word on the console.
#include "platform/Sound.h"

namespace platform {

class AlsaSoundSink : public SoundSink {
public:
    AlsaSoundSink();
    bool play(std::span<const std::uint8_t> wave_image) override;
};

}
