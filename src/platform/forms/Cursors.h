#pragma once
// The program's own mouse pointers.
#include <string>

class QCursor;

namespace platform {

// A built-in cursor file (":/assets/<file>") at its own pixel size, with the hot spot that
// the file names.
QCursor asset_cursor(const std::string& file);

}
