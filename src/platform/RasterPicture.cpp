#include "platform/RasterPicture.h"

#include "platform/Dib.h"

#include <QBuffer>
#include <QImageReader>

namespace platform {

namespace {

constexpr qint64 MaxPixels = 16384LL * 16384LL;
constexpr qint64 DecodeAtOncePixels = 1024 * 1024;

Bytes bytes_of(const QByteArray& bytes)
{
    return Bytes({ reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size()) });
}

// The markers a JPEG may hold before its first scan: frames, tables, restart interval,
// application data and comments.
bool header_marker(std::uint8_t marker)
{
    return (marker >= 0xC0 && marker <= 0xCF) || marker == 0xDB || marker == 0xDD || marker == 0xDC
        || (marker >= 0xE0 && marker <= 0xEF) || marker == 0xFE;
}

// A JPEG's start, known segments up to its scan, a frame among them, then its end marker
// somewhere after the scan.
bool jpeg_complete(Bytes file)
{
    if (file.u8(0) != 0xFF || file.u8(1) != 0xD8)
        return false;
    bool frame = false;
    std::size_t at = 2;
    while (file.has(at, 4) && file.u8(at) == 0xFF) {
        const std::uint8_t marker = file.u8(at + 1);
        if (marker == 0xDA) { // start of scan: entropy-coded data follows
            for (std::size_t i = at + 2; frame && i + 1 < file.size(); ++i) {
                if (file.u8(i) == 0xFF && file.u8(i + 1) == 0xD9)
                    return true;
            }
            return false;
        }
        if (!header_marker(marker))
            return false;
        frame = frame || (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC);
        at += 2 + ((std::size_t { file.u8(at + 2) } << 8) | file.u8(at + 3));
    }
    return false;
}

// A bitmap's uncompressed rows must all be in the file.
bool bmp_complete(Bytes file)
{
    if (!file.has(0, 30))
        return false;
    const std::uint32_t header = file.u32(14);
    if (header < 40)
        return true; // an old header: the reader checks it
    const std::uint32_t compression = file.u32(30);
    if (compression != 0 && compression != 3)
        return true; // run-length rows: the reader stops at their end
    const std::int64_t width = file.i32(18), height = std::abs(std::int64_t { file.i32(22) });
    const std::int64_t stride = (width * file.u16(28) + 31) / 32 * 4;
    return std::int64_t { file.u32(10) } + stride * height <= std::int64_t(file.size());
}

// A GIF ends with its trailer.
bool gif_complete(Bytes file) { return file.size() > 0 && file.u8(file.size() - 1) == 0x3B; }

bool complete(const QByteArray& format, const QByteArray& bytes)
{
    const Bytes file = bytes_of(bytes);
    try {
        if (format == "jpeg" || format == "jpg")
            return jpeg_complete(file);
        if (format == "bmp")
            return bmp_complete(file);
        if (format == "gif")
            return gif_complete(file);
        return true;
    } catch (const DamagedPicture&) {
        return false;
    }
}

// The rows and columns of an uncompressed bitmap file that are shown, read straight from
// its bytes; a null image for the encodings the reader is left to.
QImage bitmap_part(const QByteArray& bytes, const QRect& area)
{
    try {
        const Bytes file = bytes_of(bytes);
        return decode_dib(file.from(14), file.from(file.u32(10)), area).image;
    } catch (const DamagedPicture&) {
        return {};
    }
}

// The file's bytes, kept to decode the parts that are shown.
class RasterSource : public PictureSource {
public:
    RasterSource(QByteArray bytes, QByteArray format, QSize size)
        : m_bytes(std::move(bytes)), m_format(std::move(format)), m_size(size) { }

    QSize size() const override { return m_size; }
    QImage render(const QRect& area) const override
    {
        if (m_format == "bmp") {
            if (QImage part = bitmap_part(m_bytes, area); !part.isNull())
                return part;
        }
        QBuffer buffer;
        buffer.setData(m_bytes);
        QImageReader reader(&buffer, m_format);
        if (area != QRect(QPoint(0, 0), m_size))
            reader.setClipRect(area);
        return reader.read();
    }

private:
    QByteArray m_bytes;
    QByteArray m_format;
    QSize m_size;
};

// A picture decoded whole.
class ImageSource : public PictureSource {
public:
    explicit ImageSource(QImage image) : m_image(std::move(image)) { }
    QSize size() const override { return m_image.size(); }
    QImage render(const QRect& area) const override { return m_image.copy(area); }

private:
    QImage m_image;
};

}

std::shared_ptr<const PictureSource> decode_raster(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    const QByteArray format = reader.format();
    const QSize size = reader.size();
    if (format.isEmpty() || !size.isValid() || size.isEmpty() || qint64(size.width()) * size.height() > MaxPixels)
        return nullptr;
    if (!complete(format, bytes))
        return nullptr;
    if (qint64(size.width()) * size.height() > DecodeAtOncePixels)
        return std::make_shared<RasterSource>(bytes, format, size);
    QImage image = reader.read();
    if (image.isNull() || image.size() != size)
        return nullptr;
    return std::make_shared<ImageSource>(std::move(image));
}

}
