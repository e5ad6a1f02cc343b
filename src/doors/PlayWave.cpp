// The middle door's pneumatic hiss, played to its end before the door moves.
#include "app/Common.h"
#include "platform/audio/Sound.h"
#include "platform/system/Resources.h"
#include "platform/system/RuntimeError.h"

void Common::PlayWave(std::int16_t id)
{
    try {
        SoundBuffer = platform::LoadResData(id, "WAVE");
    } catch (const platform::RuntimeError&) {
        return; // a bus without its sound still opens its doors
    }
    platform::sndPlaySound(SoundBuffer, platform::SND_MEMORY | platform::SND_NODEFAULT);
}
