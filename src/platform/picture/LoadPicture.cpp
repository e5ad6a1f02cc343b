#include "platform/picture/LoadPicture.h"
#include "platform/system/Resources.h"

#include "platform/codec/Animation.h"
#include "platform/codec/RasterPicture.h"
#include "platform/codec/SvgPicture.h"
#include "platform/metafile/MetafilePicture.h"
#include "platform/picture/DecodePicture.h"
#include "platform/picture/PictureFile.h"
#include "platform/system/RuntimeError.h"

#include <QGuiApplication>
#include <QPixmap>

namespace platform {

namespace {

std::optional<Picture> picture_from(std::shared_ptr<const PictureSource> source,
                                    std::shared_ptr<const Animation> animation = nullptr)
{
    if (!source)
        return std::nullopt;
    return Picture(std::move(source), std::move(animation));
}

}

std::optional<Picture> decode_picture(const QByteArray& bytes)
{
    if (is_metafile(bytes))
        return picture_from(decode_metafile(bytes));
    if (is_svg(bytes))
        return picture_from(decode_svg(bytes));
    return picture_from(decode_raster(bytes), decode_animation(bytes));
}

Picture LoadPicture(const std::string& path)
{
    if (path.empty())
        return {};
    const PictureFile file = open_picture_file(path);
    if (file.big_bitmap)
        return Picture(file.big_bitmap);
    if (auto picture = decode_picture(file.bytes))
        return *picture;
    throw RuntimeError(err::InvalidPicture, "Invalid picture");
}

// On a screen above 100 % the picture drawn at twice the size is shown at the same size in
// pixels of the program, so it stays sharp instead of being enlarged.
Picture LoadAssetPicture(const std::string& file)
{
    const std::size_t dot = file.rfind('.');
    if (qGuiApp && qGuiApp->devicePixelRatio() > 1.0 && dot != std::string::npos) {
        QPixmap doubled(QString::fromStdString(asset_path(file.substr(0, dot) + "@2x" + file.substr(dot))));
        if (!doubled.isNull()) {
            doubled.setDevicePixelRatio(2.0);
            return Picture(std::make_shared<const QPixmap>(std::move(doubled)));
        }
    }
    return LoadPicture(asset_path(file));
}

}
