#pragma once
// Pictures of the raster formats Qt reads (bitmap, GIF, JPEG, ...), decoded from a file's
// bytes. A picture that does not decode completely and cleanly is no picture.
#include "platform/PictureSource.h"

#include <QByteArray>

#include <memory>

namespace platform {

// A small picture is decoded at once; a big one is checked and then decoded part by part
// as it is shown. Nothing for bytes that are not a whole picture.
std::shared_ptr<const PictureSource> decode_raster(const QByteArray& bytes);

}
