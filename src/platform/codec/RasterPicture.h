#pragma once
// Pictures of the raster formats (bitmap, GIF, JPEG, icon), decoded from a file's bytes. A
// picture that does not decode completely and cleanly, or would cost more memory than a
// picture may, is no picture.
#include "platform/codec/PictureSource.h"

#include <QByteArray>

#include <memory>

namespace platform {

// A small picture is decoded at once; a big one is checked and then decoded part by part
// as it is shown. Nothing for bytes that are not a whole picture, or cost too much.
std::shared_ptr<const PictureSource> decode_raster(const QByteArray& bytes);

}
