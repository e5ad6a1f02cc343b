#pragma once
// A picture file, read without ever waiting: only a regular file (or a link to one) is read; a
// FIFO, a device or a folder is no picture at once.
#include "platform/codec/PictureSource.h"

#include <QByteArray>

#include <memory>
#include <string>

namespace platform {

// A big bitmap is kept open to be read where it is shown; any other picture file is read whole.
struct PictureFile {
    QByteArray bytes;
    std::shared_ptr<const PictureSource> big_bitmap;
};

// Throws RuntimeError 53 for a missing file, 75 for one that cannot be read, 481 for one that
// is no regular file, too big to be a picture, or a big bitmap without all its rows. A path
// starting ":/" is a built-in file.
PictureFile open_picture_file(const std::string& path);

}
