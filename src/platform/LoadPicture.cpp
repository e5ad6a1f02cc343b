#include "platform/LoadPicture.h"

#include "platform/RuntimeError.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
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

// On a screen above 100 % the picture drawn at twice the size is shown at the same size in
// pixels of the program, so it stays sharp instead of being enlarged.
Picture LoadAssetPicture(const std::string& file)
{
    const std::size_t dot = file.rfind('.');
    if (qGuiApp && qGuiApp->devicePixelRatio() > 1.0 && dot != std::string::npos) {
        QPixmap doubled(QString::fromStdString(":/assets/" + file.substr(0, dot) + "@2x" + file.substr(dot)));
        if (!doubled.isNull()) {
            doubled.setDevicePixelRatio(2.0);
            return Picture(std::make_shared<const QPixmap>(std::move(doubled)));
        }
    }
    return LoadPicture(":/assets/" + file);
}

}
