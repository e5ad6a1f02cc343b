#include "platform/system/Trace.h"

#include <cmath>

namespace platform {

template <>
trace::Recorder& Replaceable<trace::Recorder>::real()
{
    class Nobody : public trace::Recorder {
    public:
        void record(const std::string&) override { }
    };
    static Nobody nobody;
    return nobody;
}

}

namespace platform::trace {

namespace {
Recorder& listener() { return Replaceable<Recorder>::current(); }
}

bool recording() { return Replaceable<Recorder>::overridden(); }

void record(const std::string& row)
{
    if (recording())
        listener().record(row);
}

void record_property(const std::string& owner, const char* property, const std::string& value)
{
    if (recording())
        listener().record_property(owner + " " + property + " " + value);
}

void record_property(const std::string& owner, const char* property, bool value)
{
    if (recording())
        record_property(owner, property, std::string(value ? "True" : "False"));
}

void record_property(const std::string& owner, const char* property, float value)
{
    if (!recording())
        return;
    const long whole = std::lround(value);
    record_property(owner, property, whole == value ? std::to_string(whole) : std::to_string(value));
}

}
