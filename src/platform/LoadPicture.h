#pragma once
// The picture loader: a file path gives a picture. Decoders are tried in order; the
// raster formats Qt reads come built in, metafile decoders register themselves here.
#include "platform/Picture.h"

#include <functional>
#include <optional>
#include <string>

namespace platform {

// "" gives no picture; a missing file throws RuntimeError 53, a file that is no
// picture 481.
Picture LoadPicture(const std::string& path);

// A built-in picture of the program's own (":/assets/<file>").
Picture LoadAssetPicture(const std::string& file);

// Returns a picture when it recognises the file's bytes, nothing otherwise.
using PictureDecoder = std::function<std::optional<Picture>(const std::string& path)>;
void add_picture_decoder(PictureDecoder decoder);

}
