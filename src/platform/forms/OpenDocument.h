#pragma once
// The system's "open" action: the user's default handler for an address (a web page in the
// browser, a local page or file in its application). No text passes through a shell. It
// returns once the handler has been started; whether it could open the address is not
// reported. Tests put a recording opener in place of the real one (Override<DocumentOpener>).
#include "platform/system/Replaceable.h"

#include <string>

namespace platform {

class DocumentOpener {
public:
    virtual ~DocumentOpener() = default;
    virtual void open(const std::string& address) = 0;
};

template <>
DocumentOpener& Replaceable<DocumentOpener>::real();

// An empty address opens nothing.
void OpenDocument(const std::string& address);

}
