#pragma once
// The bytes of a picture file, read without ever waiting: only a regular file (or a link to
// one) is read; a FIFO, a device or a folder is no picture at once.
#include <QByteArray>

#include <string>

namespace platform {

// Throws RuntimeError 53 for a missing file, 75 for one that cannot be read, 481 for one that
// is no regular file or is too big to be a picture. A path starting ":/" is a built-in file.
QByteArray read_picture_file(const std::string& path);

}
