#pragma once
// ALSA's library, loaded when the first sound plays rather than at start: a bus that is only
// looked at never needs it, and one on a system without it still opens its doors, silently.
#include <alsa/asoundlib.h>

namespace platform {

struct AlsaLibrary {
    decltype(&snd_pcm_open) pcm_open;
    decltype(&snd_pcm_nonblock) pcm_nonblock;
    decltype(&snd_pcm_set_params) pcm_set_params;
    decltype(&snd_pcm_writei) pcm_writei;
    decltype(&snd_pcm_recover) pcm_recover;
    decltype(&snd_pcm_drain) pcm_drain;
    decltype(&snd_pcm_close) pcm_close;
};

// The library's functions, loaded once by whichever thread asks first, with its messages on
// the console silenced; nothing when the library or one of its functions is missing.
const AlsaLibrary* alsa_library();

}
