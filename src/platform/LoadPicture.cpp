#include "platform/LoadPicture.h"

#include "platform/DecodePicture.h"
#include "platform/MetafilePicture.h"
#include "platform/PictureFile.h"
#include "platform/RasterPicture.h"
#include "platform/RuntimeError.h"


namespace platform {

namespace {

std::optional<Picture> picture_from(std::shared_ptr<const PictureSource> source)
{
    if (!source)
        return std::nullopt;
    return Picture(std::move(source));
}

}

std::optional<Picture> decode_picture(const QByteArray& bytes)
{
    if (is_metafile(bytes))
        return picture_from(decode_metafile(bytes));
    return picture_from(decode_raster(bytes));
}

Picture LoadPicture(const std::string& path)
{
    if (path.empty())
        return {};
    if (auto picture = decode_picture(read_picture_file(path)))
        return *picture;
    throw RuntimeError(err::InvalidPicture, "Invalid picture");
}

Picture LoadAssetPicture(const std::string& file)
{
    return LoadPicture(":/assets/" + file);
}

}
