#include "platform/audio/AlsaSoundSink.h"

#include "platform/audio/AlsaLibrary.h"
#include "platform/audio/SoundProgress.h"
#include "platform/audio/WaveImage.h"

#include <pthread.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <functional>
#include <system_error>
#include <thread>
#include <vector>

namespace platform {

// What one play's worker owns: it may outlive the call, and the program's exit.
struct SoundJob {
    explicit SoundJob(std::span<const std::uint8_t> wave_image) : image(wave_image.begin(), wave_image.end()) { }
    std::vector<std::uint8_t> image;
    SoundProgress progress;
};

namespace {

// Enough buffer that a busy desktop does not break the door sound up.
constexpr unsigned kLatencyMicroseconds = 100'000;

struct PcmCloser {
    decltype(&snd_pcm_close) close;
    void operator()(snd_pcm_t* pcm) const { close(pcm); }
};
using Pcm = std::unique_ptr<snd_pcm_t, PcmCloser>;

// Opening without blocking makes a device that is held by another program, or missing,
// fail at once; the playing itself then blocks so that drain waits for the end.
Pcm open_default_device(const AlsaLibrary& alsa)
{
    snd_pcm_t* pcm = nullptr;
    if (alsa.pcm_open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) < 0)
        return Pcm(nullptr, { alsa.pcm_close });
    Pcm device { pcm, { alsa.pcm_close } };
    if (alsa.pcm_nonblock(pcm, 0) < 0)
        return Pcm(nullptr, { alsa.pcm_close });
    return device;
}

bool configure(const AlsaLibrary& alsa, snd_pcm_t* pcm, const WaveFormat& format)
{
    const snd_pcm_format_t sample_format
        = format.bits_per_sample == 8 ? SND_PCM_FORMAT_U8 : SND_PCM_FORMAT_S16_LE;
    constexpr int allow_resampling = 1;
    return alsa.pcm_set_params(pcm, sample_format, SND_PCM_ACCESS_RW_INTERLEAVED,
               format.channels, format.sample_rate, allow_resampling, kLatencyMicroseconds)
        == 0;
}

// A piece of at most this much sound is handed over at a time, so that the moment the
// device first takes samples is known to within one piece.
constexpr std::chrono::milliseconds kPiece { 20 };

using Clock = SoundProgress::Clock;

// How long a device may take to open, and to take its first samples; and how long past the
// sound's own length it may take to play it.
constexpr std::chrono::seconds kAnswer { 1 };

// The sound's own length.
Clock::duration length_of(const WaveImage& wave)
{
    const auto seconds = std::chrono::duration<double>(double(wave.frames()) / wave.format.sample_rate);
    return std::chrono::ceil<Clock::duration>(seconds);
}

// Hands the frames over piece by piece while the caller still waits, then drains them;
// true if every frame was taken and drained.
bool write_all(const AlsaLibrary& alsa, snd_pcm_t* pcm, const WaveImage& wave, SoundProgress& progress)
{
    const std::size_t frame_bytes = wave.format.frame_bytes();
    const std::size_t piece = std::max<std::size_t>(1, wave.format.sample_rate * kPiece.count() / 1000);
    std::size_t written = 0;
    while (written < wave.frames()) {
        if (!progress.wanted())
            return false;
        const std::uint8_t* next = wave.samples.data() + written * frame_bytes;
        const snd_pcm_sframes_t done = alsa.pcm_writei(pcm, next, std::min(piece, wave.frames() - written));
        if (done < 0) {
            constexpr int quietly = 1;
            if (alsa.pcm_recover(pcm, static_cast<int>(done), quietly) < 0)
                return false;
            continue; // an underrun: go on from where the device stopped taking frames
        }
        if (done > 0 && written == 0)
            progress.report_first_taken(Clock::now());
        written += static_cast<std::size_t>(done);
    }
    return alsa.pcm_drain(pcm) == 0;
}

// A device that writes into a pipe may lose the pipe's reader: the write then fails in this
// thread instead of ending the program.
void refuse_broken_pipe_signals()
{
    sigset_t broken_pipe;
    sigemptyset(&broken_pipe);
    sigaddset(&broken_pipe, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &broken_pipe, nullptr);
}

// The worker: every call that may block on the device or its server is made here.
void play_on_device(const std::shared_ptr<SoundJob>& job)
{
    refuse_broken_pipe_signals();
    const WaveImage wave = parse_wave(job->image).image;
    bool complete = false;
    if (const AlsaLibrary* alsa = alsa_library()) {
        const Pcm pcm = open_default_device(*alsa);
        if (pcm && job->progress.wanted() && configure(*alsa, pcm.get(), wave.format)) {
            job->progress.report_opened();
            complete = write_all(*alsa, pcm.get(), wave, job->progress);
        }
    }
    job->progress.report_finished(complete); // only once the device is closed again
}

bool start_worker(const std::shared_ptr<SoundJob>& job)
{
    try {
        std::thread(play_on_device, job).detach();
        return true;
    } catch (const std::system_error&) {
        return false;
    }
}

// The caller's work follows the sound at once, and a door's frames are a busy wait. A thread
// that slept through a whole sound is taken by some kernels for an idle one, which then wake the
// X server on its core in the first frames: the sound's last moments are waited busily.
constexpr std::chrono::milliseconds kBusyEnd { 200 };

void spin_until(const std::function<bool()>& done, Clock::time_point deadline)
{
    while (!done() && Clock::now() < deadline) {
    }
}

// Waits for the worker to play the sound to its end. A device that does not answer in time
// is given up: the worker stops as soon as it can, and the caller goes on at once.
bool await_sound(SoundProgress& progress, Clock::duration length)
{
    using enum SoundProgress::Stage;
    const auto give_up = [&] {
        progress.give_up();
        return false;
    };
    if (!progress.reached(Opened, Clock::now() + kAnswer) || !progress.reached(Playing, Clock::now() + kAnswer))
        return give_up();
    const auto first_taken = progress.first_taken();
    if (!first_taken)
        return false; // it failed before taking samples, like a busy device
    const auto end = *first_taken + length;
    if (!progress.reached(Finished, end - kBusyEnd)) {
        spin_until([&] { return progress.is_finished(); }, end + kAnswer);
        if (!progress.is_finished())
            return give_up();
    }
    // A sound server may report the end before it has really played it, or fail half-way:
    // the caller relies on the sound having had its whole length once the call returns.
    std::this_thread::sleep_until(end - kBusyEnd);
    spin_until([] { return false; }, end);
    return progress.complete();
}

}

bool AlsaSoundSink::play(std::span<const std::uint8_t> wave_image)
{
    const ParsedWave parsed = parse_wave(wave_image);
    if (!parsed)
        return false;
    if (parsed.image.frames() == 0)
        return true;
    if (m_last && !m_last->progress.is_finished())
        return false; // the device has not answered the last call yet: it is not tried again
    const auto job = std::make_shared<SoundJob>(wave_image);
    if (!start_worker(job))
        return false;
    m_last = job;
    return await_sound(job->progress, length_of(parsed.image));
}

}
