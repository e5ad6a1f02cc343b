#pragma once
// What the window system did, as text rows, for whoever listens (the tests, through
// Override<trace::Recorder>): controls moved, areas repainted, pauses, sounds. Nothing is built
// when nobody listens. Properties the program sets ("HScroll1 Value 6000") go only to listeners
// that ask for them.
#include "platform/system/Replaceable.h"

#include <string>

namespace platform::trace {

class Recorder {
public:
    virtual ~Recorder() = default;
    virtual void record(const std::string& row) = 0;
    virtual void record_property(const std::string& /*row*/) { }
};

bool recording();
void record(const std::string& row);
// "<owner> <property> <value>", every time the program sets the property.
void record_property(const std::string& owner, const char* property, const std::string& value);
void record_property(const std::string& owner, const char* property, bool value);
void record_property(const std::string& owner, const char* property, float value);

}

namespace platform {

// Nobody listening: the rows go nowhere.
template <>
trace::Recorder& Replaceable<trace::Recorder>::real();

}
