#pragma once
// The system's "open" action: the user's default handler for an address (a web page in the
// browser, a local page or file in its application). No text passes through a shell. It
// returns once the handler has been started; whether it could open the address is not
// reported. Tests put a recording opener in place of the real one.
#include <string>

namespace platform {

class DocumentOpener {
public:
    virtual ~DocumentOpener() = default;
    virtual void open(const std::string& address) = 0;
};

// An empty address opens nothing.
void OpenDocument(const std::string& address);

// Replaces the opener (nullptr restores the real one); the caller keeps ownership.
void set_document_opener(DocumentOpener* opener);

}
