#pragma once
// A device the program reaches through one shared place (the speaker, the message boxes, the
// clock a pause waits on...) and that a test may put another in place of, for a while:
//
//     platform::Override<platform::SoundSink> sink(recorder); // until `sink` ends
//
// Overrides nest: the device in use is the one of the latest override still living, else the
// real one. Whoever makes an override keeps ownership of the device it names.
#include <algorithm>
#include <vector>

namespace platform {

template <class Device>
class Override;

template <class Device>
class Replaceable {
public:
    static Device& current() { return s_overrides.empty() ? real() : *s_overrides.back(); }
    static bool overridden() { return !s_overrides.empty(); }

    // The device the program runs with, defined beside its implementation; each device's header
    // declares it: template <> Device& Replaceable<Device>::real();
    static Device& real();

private:
    friend class Override<Device>;
    static inline std::vector<Device*> s_overrides;
};

template <class Device>
class [[nodiscard]] Override {
public:
    explicit Override(Device& device) : m_device(&device) { Replaceable<Device>::s_overrides.push_back(m_device); }
    ~Override()
    {
        // The latest entry of this device: overrides ending out of order still leave the rest.
        auto& overrides = Replaceable<Device>::s_overrides;
        overrides.erase(std::find(overrides.rbegin(), overrides.rend(), m_device).base() - 1);
    }
    Override(const Override&) = delete;
    Override& operator=(const Override&) = delete;

private:
    Device* m_device;
};

}
