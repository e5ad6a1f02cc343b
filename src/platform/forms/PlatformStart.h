#pragma once
// Qt's messages while it connects to the display are held back. When the connection fails Qt
// ends the program with a fatal message (an abort, a core file): the program then says why in
// one line of its own and ends with status 1. When it succeeds the messages go through.
#include <string>

namespace platform {

class PlatformStart {
public:
    // `unreachable` is the problem to report; empty to leave a failure to Qt.
    PlatformStart(const char* argv0, std::string unreachable);
    ~PlatformStart();
    PlatformStart(const PlatformStart&) = delete;
    PlatformStart& operator=(const PlatformStart&) = delete;
};

}
