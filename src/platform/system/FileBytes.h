#pragma once
// Reading a small file the user may have edited or replaced: at most `limit` bytes from its
// start, at once, whatever lies at the path (a FIFO or a device is refused, never waited on).
#include <cstddef>
#include <string>

namespace platform {

// Fails with run-time error 53 when nothing is at the path, 75 with the system's text when
// it is no plain file or cannot be read.
std::string read_file_start(const std::string& path, std::size_t limit);

// Whether anything is at the path.
bool path_exists(const std::string& path);

}
