#include "platform/AlsaSoundSink.h"

#include "platform/WaveImage.h"

#include <alsa/asoundlib.h>

#include <memory>

namespace platform {

namespace {

// Enough buffer that a busy desktop does not break the door sound up.
constexpr unsigned kLatencyMicroseconds = 100'000;

struct PcmCloser {
    void operator()(snd_pcm_t* pcm) const { snd_pcm_close(pcm); }
};
using Pcm = std::unique_ptr<snd_pcm_t, PcmCloser>;

void ignore_alsa_message(const char*, int, const char*, int, const char*, ...) { }

// Opening without blocking makes a device that is held by another program, or missing,
// fail at once; the playing itself then blocks so that drain waits for the end.
Pcm open_default_device()
{
    snd_pcm_t* pcm = nullptr;
    if (snd_pcm_open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) < 0)
        return nullptr;
    Pcm device { pcm };
    if (snd_pcm_nonblock(pcm, 0) < 0)
        return nullptr;
    return device;
}

bool configure(snd_pcm_t* pcm, const WaveFormat& format)
{
    const snd_pcm_format_t sample_format
        = format.bits_per_sample == 8 ? SND_PCM_FORMAT_U8 : SND_PCM_FORMAT_S16_LE;
    constexpr int allow_resampling = 1;
    return snd_pcm_set_params(pcm, sample_format, SND_PCM_ACCESS_RW_INTERLEAVED,
               format.channels, format.sample_rate, allow_resampling, kLatencyMicroseconds)
        == 0;
}

bool write_all(snd_pcm_t* pcm, const WaveImage& wave)
{
    const std::size_t frame_bytes = wave.format.frame_bytes();
    std::size_t written = 0;
    while (written < wave.frames()) {
        const std::uint8_t* next = wave.samples.data() + written * frame_bytes;
        snd_pcm_sframes_t done = snd_pcm_writei(pcm, next, wave.frames() - written);
        if (done < 0) {
            constexpr int quietly = 1;
            if (snd_pcm_recover(pcm, static_cast<int>(done), quietly) < 0)
                return false;
            continue; // an underrun: go on from where the device stopped taking frames
        }
        written += static_cast<std::size_t>(done);
    }
    return true;
}

}

AlsaSoundSink::AlsaSoundSink()
{
    snd_lib_error_set_handler(ignore_alsa_message);
}

bool AlsaSoundSink::play(std::span<const std::uint8_t> wave_image)
{
    const ParsedWave parsed = parse_wave(wave_image);
    if (!parsed)
        return false;
    if (parsed.image.frames() == 0)
        return true;
    const Pcm pcm = open_default_device();
    return pcm && configure(pcm.get(), parsed.image.format) && write_all(pcm.get(), parsed.image)
        && snd_pcm_drain(pcm.get()) == 0;
}

}
