#pragma once
// A function of a library outside the program that hands back a text: `char *f(void)`,
// returning a malloc'ed NUL-terminated code page 932 text that the caller frees. The library
// is loaded by its file name for the one call and closed after it: from the program's own
// folder when it is there, else through the system's library search.
#include <string>

namespace platform {

// The text, converted to the program's own. Throws RuntimeError with the system's own
// description when the library cannot be loaded or lacks the function, or when the function
// hands back no text or one that is not code page 932.
std::string CallTextFunction(const std::string& library_file, const std::string& function);

}
