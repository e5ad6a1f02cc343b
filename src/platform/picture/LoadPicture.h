#pragma once
// The picture loader: a file path gives a picture, from the raster formats Qt reads or
// from a Windows metafile or enhanced metafile.
#include "platform/picture/Picture.h"

#include <string>

namespace platform {

// "" gives no picture; a missing file throws RuntimeError 53, a file that is no
// picture 481 (a FIFO, a device or a folder too, at once), one that cannot be read 75.
Picture LoadPicture(const std::string& path);

// A built-in picture of the program's own (":/assets/<file>").
Picture LoadAssetPicture(const std::string& file);

}
