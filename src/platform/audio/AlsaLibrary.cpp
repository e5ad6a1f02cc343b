#include "platform/audio/AlsaLibrary.h"

#include <dlfcn.h>

#include <optional>

namespace platform {

namespace {

void ignore_alsa_message(const char*, int, const char*, int, const char*, ...) { }

template <typename Function>
bool resolve(void* library, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

std::optional<AlsaLibrary> load()
{
    // Kept loaded for the program's life: a worker may still be closing a device at exit.
    void* library = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr)
        return std::nullopt;
    AlsaLibrary alsa {};
    decltype(&snd_lib_error_set_handler) set_error_handler = nullptr;
    const bool complete = resolve(library, "snd_pcm_open", alsa.pcm_open)
        && resolve(library, "snd_pcm_nonblock", alsa.pcm_nonblock)
        && resolve(library, "snd_pcm_set_params", alsa.pcm_set_params)
        && resolve(library, "snd_pcm_writei", alsa.pcm_writei)
        && resolve(library, "snd_pcm_recover", alsa.pcm_recover)
        && resolve(library, "snd_pcm_drain", alsa.pcm_drain)
        && resolve(library, "snd_pcm_close", alsa.pcm_close)
        && resolve(library, "snd_lib_error_set_handler", set_error_handler);
    if (!complete)
        return std::nullopt;
    set_error_handler(ignore_alsa_message);
    return alsa;
}

}

const AlsaLibrary* alsa_library()
{
    static const std::optional<AlsaLibrary> loaded = load();
    return loaded ? &*loaded : nullptr;
}

}
