#include "platform/forms/WindowIcon.h"

#include "platform/system/Resources.h"

#include <QDir>
#include <QFile>
#include <QPixmap>
#include <png.h>

#include <map>

namespace platform {

namespace {

// Read by libpng itself: Qt's reader would first look through every picture plugin on the
// machine, which costs the start a millisecond for pictures that are known to be PNG.
QImage read_png(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    png_image png {};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, bytes.constData(), static_cast<png_size_t>(bytes.size())))
        return {};
    png.format = PNG_FORMAT_BGRA; // QImage's ARGB32 on a little-endian machine
    QImage image(static_cast<int>(png.width), static_cast<int>(png.height), QImage::Format_ARGB32);
    if (image.isNull()) {
        png_image_free(&png);
        return {};
    }
    const auto row_stride = static_cast<png_int_32>(image.bytesPerLine()); // a byte for each component
    if (!png_image_finish_read(&png, nullptr, image.bits(), row_stride, nullptr))
        return {}; // libpng has freed what it held
    return image;
}

QIcon icon_from_pngs(const std::string& icon_file)
{
    const QString stem = QString::fromStdString(icon_file.substr(0, icon_file.rfind('.')));
    const QDir assets(QString::fromStdString(asset_path("")));
    QIcon icon;
    for (const QString& size : assets.entryList({ stem + "_*.png" }, QDir::Files))
        icon.addPixmap(QPixmap::fromImage(read_png(assets.filePath(size))));
    return icon;
}

}

QIcon window_icon(const std::string& icon_file)
{
    // Made once: the program and its main window show the same icon.
    static auto* made = new std::map<std::string, QIcon>; // kept to the end, past the application
    auto found = made->find(icon_file);
    if (found == made->end())
        found = made->emplace(icon_file, icon_from_pngs(icon_file)).first;
    return found->second;
}

}
