#include "platform/system/Trace.h"

#include <cmath>

namespace platform::trace {

namespace {
Recorder* g_recorder = nullptr;
}

void set_recorder(Recorder* recorder) { g_recorder = recorder; }
bool recording() { return g_recorder != nullptr; }

void record(const std::string& row)
{
    if (g_recorder)
        g_recorder->record(row);
}

void record_property(const std::string& owner, const char* property, const std::string& value)
{
    if (g_recorder)
        g_recorder->record_property(owner + " " + property + " " + value);
}

void record_property(const std::string& owner, const char* property, bool value)
{
    if (g_recorder)
        record_property(owner, property, std::string(value ? "True" : "False"));
}

void record_property(const std::string& owner, const char* property, float value)
{
    if (!g_recorder)
        return;
    const long whole = std::lround(value);
    record_property(owner, property, whole == value ? std::to_string(whole) : std::to_string(value));
}

}
