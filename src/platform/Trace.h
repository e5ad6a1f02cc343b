#pragma once
// What the window system did, as text rows, for whoever listens (the tests): controls
// moved, areas repainted, pauses, sounds. Nothing is built when nobody listens.
#include <string>

namespace platform::trace {

class Recorder {
public:
    virtual ~Recorder() = default;
    virtual void record(const std::string& row) = 0;
};

// The caller keeps ownership; nullptr stops the recording.
void set_recorder(Recorder* recorder);
bool recording();
void record(const std::string& row);

}
