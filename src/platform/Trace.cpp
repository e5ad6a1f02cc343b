#include "platform/Trace.h"

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

}
