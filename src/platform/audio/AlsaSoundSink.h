#pragma once
// The real sound sink: plays a RIFF/WAVE image on ALSA's "default" playback device and
// returns when the last sample has been heard, and never before the sound's own length has
// passed since the device took its first samples. A busy or absent device, or an image it
// cannot play, makes it return false at once without a word on the console; so does a device
// that does not answer in time, which is left to a worker thread while the caller goes on.
#include "platform/audio/Sound.h"

#include <memory>

namespace platform {

struct SoundJob;

class AlsaSoundSink : public SoundSink {
public:
    bool play(std::span<const std::uint8_t> wave_image) override;

private:
    std::shared_ptr<const SoundJob> m_last; // its worker may still be stuck on the device
};

}
