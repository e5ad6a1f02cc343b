#pragma once
// A bitmap file too big to be decoded whole when shown: it is kept open, and each time a part
// of it is drawn only the rows of that part are read from it.
#include "platform/codec/PictureSource.h"

#include <memory>
#include <optional>

namespace platform {

class RegularFile;

// The picture of an uncompressed bitmap of more pixels than are decoded whole; a null source
// for one whose rows the file does not hold; nothing for any other file, which is then read
// whole (and takes `file` only in the first case).
std::optional<std::shared_ptr<const PictureSource>> big_bitmap_file(std::unique_ptr<RegularFile>& file);

}
