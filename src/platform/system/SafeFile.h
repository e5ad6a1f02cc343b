#pragma once
// Replacing a file as a whole: the new bytes go to a new file beside it, which takes the old
// one's place only once every byte is on the disk. A failure leaves the old file as it was.
#include <string>
#include <string_view>

namespace platform {

// Makes the file's folder when it is missing. Fails with run-time error 75 when the file
// cannot be made, 57 when the bytes cannot be written; the error's text is the system's.
void save_file_safely(const std::string& path, std::string_view bytes);

}
