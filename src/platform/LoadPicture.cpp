#include "platform/LoadPicture.h"

#include "platform/RuntimeError.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPixmap>
#include <vector>

namespace platform {

namespace {

std::optional<Picture> decode_raster(const std::string& path)
{
    QImageReader reader(QFile::decodeName(path.c_str()));
    reader.setDecideFormatFromContent(true);
    QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;
    return Picture(std::make_shared<const QPixmap>(QPixmap::fromImage(std::move(image))));
}

std::vector<PictureDecoder>& decoders()
{
    static std::vector<PictureDecoder> list { decode_raster };
    return list;
}

}

void add_picture_decoder(PictureDecoder decoder) { decoders().insert(decoders().begin(), std::move(decoder)); }

Picture LoadPicture(const std::string& path)
{
    if (path.empty())
        return {};
    const QFileInfo info(QFile::decodeName(path.c_str()));
    if (!info.exists() || info.isDir())
        throw RuntimeError(err::FileNotFound, "File not found");
    for (const auto& decode : decoders()) {
        if (auto picture = decode(path))
            return *picture;
    }
    throw RuntimeError(err::InvalidPicture, "Invalid picture");
}

Picture LoadAssetPicture(const std::string& file)
{
    return LoadPicture(":/assets/" + file);
}

}
