#include "platform/forms/Cursors.h"
#include "platform/system/Resources.h"

#include <QCursor>
#include <QFile>
#include <QImage>
#include <QPixmap>

namespace platform {

namespace {

// A cursor file's first entry keeps the hot spot where an icon keeps planes and bit count.
constexpr int HotSpotX = 10;
constexpr int HotSpotY = 12;

int little_endian_word(const QByteArray& bytes, int at)
{
    if (bytes.size() < at + 2)
        return 0;
    return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8;
}

}

QCursor asset_cursor(const std::string& file)
{
    QFile asset(QString::fromStdString(asset_path(file)));
    asset.open(QIODevice::ReadOnly);
    const QByteArray bytes = asset.readAll();
    QPixmap pixmap = QPixmap::fromImage(QImage::fromData(bytes, "ICO"));
    pixmap.setDevicePixelRatio(1); // the pointer keeps its pixels on any screen
    return QCursor(pixmap, little_endian_word(bytes, HotSpotX), little_endian_word(bytes, HotSpotY));
}

}
