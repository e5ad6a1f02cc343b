#include "platform/AlsaSoundSink.h"

#include "platform/WaveImage.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <optional>
#include <thread>

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

// A piece of at most this much sound is handed over at a time, so that the moment the
// device first takes samples is known to within one piece.
constexpr std::chrono::milliseconds kPiece { 20 };

using Clock = std::chrono::steady_clock;

// The sound's own length.
Clock::duration length_of(const WaveImage& wave)
{
    const auto seconds = std::chrono::duration<double>(double(wave.frames()) / wave.format.sample_rate);
    return std::chrono::ceil<Clock::duration>(seconds);
}

struct Handover {
    std::optional<Clock::time_point> first_taken; // when the device first took samples
    bool complete { false };                      // every frame taken and drained
};

Handover write_all(snd_pcm_t* pcm, const WaveImage& wave)
{
    const std::size_t frame_bytes = wave.format.frame_bytes();
    const std::size_t piece = std::max<std::size_t>(1, wave.format.sample_rate * kPiece.count() / 1000);
    Handover handover;
    std::size_t written = 0;
    while (written < wave.frames()) {
        const std::uint8_t* next = wave.samples.data() + written * frame_bytes;
        const snd_pcm_sframes_t done = snd_pcm_writei(pcm, next, std::min(piece, wave.frames() - written));
        if (done < 0) {
            constexpr int quietly = 1;
            if (snd_pcm_recover(pcm, static_cast<int>(done), quietly) < 0)
                return handover;
            continue; // an underrun: go on from where the device stopped taking frames
        }
        if (done > 0 && !handover.first_taken)
            handover.first_taken = Clock::now();
        written += static_cast<std::size_t>(done);
    }
    handover.complete = snd_pcm_drain(pcm) == 0;
    return handover;
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
    if (!pcm || !configure(pcm.get(), parsed.image.format))
        return false;
    const Handover handover = write_all(pcm.get(), parsed.image);
    // A sound server may report the end before it has really played it, or fail half-way:
    // the caller relies on the sound having had its whole length once the call returns.
    if (handover.first_taken)
        std::this_thread::sleep_until(*handover.first_taken + length_of(parsed.image));
    return handover.complete;
}

}
