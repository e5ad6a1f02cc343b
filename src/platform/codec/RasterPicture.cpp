#include "platform/codec/RasterPicture.h"
#include "platform/codec/PictureLimits.h"

#include "platform/codec/ApngFrames.h"
#include "platform/codec/Dib.h"
#include "platform/codec/JpegHeader.h"
#include "platform/codec/PictureFormat.h"

#include <QBuffer>
#include <QImageReader>

namespace platform {

namespace {

constexpr qint64 DecodedPixelBytes = 4;

qint64 pixels(QSize size) { return qint64(size.width()) * size.height(); }

Bytes bytes_of(const QByteArray& bytes)
{
    return Bytes({ reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size()) });
}

// What is known of a picture before any of it is decoded.
struct RasterLayout {
    QByteArray format;
    QSize size;
    bool own_bitmap { false }; // an uncompressed bitmap, decoded by the program, not by Qt
    bool in_parts { false }; // a part is decoded without the rest
    QSize decoded_whole; // the image the decoder makes when it decodes the whole picture
    qint64 held_bytes { 0 }; // what the decoder keeps for the whole picture to give any part
};

// Any raster format Qt reads; a drawing (SVG) has no size to count its cost by before it is drawn.
bool picture_format(const QByteArray& format)
{
    return !format.isEmpty() && !format.startsWith("svg");
}

// Rows in either order; a null image for the encodings Qt's reader is left to.
QImage bitmap_part(Bytes file, const QRect& area)
{
    return decode_dib(file.from(14), file.from(file.u32(10)), area, MaxPicturePixels).image;
}

// Qt's reader gives a top-down bitmap a negative height: the program reads the header itself,
// and checks that all rows are in the file.
void read_bitmap(RasterLayout& layout, Bytes file)
{
    if (const std::optional<QSize> size = dib_size(file.from(14), MaxPicturePixels)) {
        require(!bitmap_part(file, QRect(0, 0, 1, 1)).isNull());
        layout.size = layout.decoded_whole = *size;
        layout.own_bitmap = layout.in_parts = true;
    }
}

// A GIF ends with its trailer and is decoded on its whole canvas, whatever its frames.
void read_gif(RasterLayout& layout, Bytes file)
{
    require(file.size() > 0 && file.u8(file.size() - 1) == 0x3B);
    layout.decoded_whole = layout.decoded_whole.expandedTo(QSize(file.u16(6), file.u16(8)));
}

// A whole JPEG, decoded a part at a time but holding all its coefficients if it has several scans.
void read_jpeg(RasterLayout& layout, Bytes file)
{
    layout.held_bytes = jpeg_coefficient_bytes(read_jpeg_frame(file));
    layout.in_parts = true;
}

// What Qt's reader tells of the picture; an uncompressed bitmap is read without it.
RasterLayout read_qt_layout(const QByteArray& bytes)
{
    RasterLayout layout;
    if (signature_format(bytes) == "bmp") {
        layout.format = "bmp";
        read_bitmap(layout, bytes_of(bytes));
        if (layout.own_bitmap)
            return layout;
    }
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer);
    read_by_signature(reader, bytes);
    layout.format = reader.format();
    layout.size = layout.decoded_whole = reader.size();
    return layout;
}

std::optional<RasterLayout> read_layout(const QByteArray& bytes)
{
    RasterLayout layout = read_qt_layout(bytes);
    if (!picture_format(layout.format))
        return std::nullopt;
    const Bytes file = bytes_of(bytes);
    if (layout.format == "png")
        require_whole_png(file);
    else if (layout.format == "gif")
        read_gif(layout, file);
    else if (layout.format == "jpeg")
        read_jpeg(layout, file);
    if (!layout.size.isValid() || layout.size.isEmpty() || pixels(layout.size) > MaxPicturePixels)
        return std::nullopt;
    return layout;
}

// Qt's reader refuses, with a warning, to make an image over its allocation limit.
bool within_reader_limit(qint64 image_bytes)
{
    const qint64 limit = qint64(QImageReader::allocationLimit()) * 1024 * 1024;
    return limit == 0 || image_bytes <= limit;
}

// The file's bytes, the decoder's own and the image it makes at once fit the picture's budget.
bool affordable(const RasterLayout& layout, qint64 file_bytes)
{
    const bool whole = !layout.in_parts || pixels(layout.size) <= WholePicturePixels;
    const qint64 image = whole ? pixels(layout.decoded_whole) * DecodedPixelBytes : 0;
    return file_bytes + layout.held_bytes + image <= MaxPictureBytes && within_reader_limit(image);
}

// The file's bytes, kept to decode the parts that are shown.
class RasterSource : public PictureSource {
public:
    RasterSource(QByteArray bytes, RasterLayout layout) : m_bytes(std::move(bytes)), m_layout(std::move(layout)) { }

    QSize size() const override { return m_layout.size; }
    QImage render(const QRect& area) const override
    {
        if (m_layout.own_bitmap) {
            try {
                return bitmap_part(bytes_of(m_bytes), area);
            } catch (const DamagedPicture&) {
                return {};
            }
        }
        QBuffer buffer;
        buffer.setData(m_bytes);
        QImageReader reader(&buffer, m_layout.format);
        if (area != QRect(QPoint(0, 0), m_layout.size))
            reader.setClipRect(area);
        return reader.read();
    }

private:
    QByteArray m_bytes;
    RasterLayout m_layout;
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
    std::optional<RasterLayout> layout;
    try {
        layout = read_layout(bytes);
    } catch (const DamagedPicture&) {
        return nullptr;
    }
    if (!layout || !affordable(*layout, bytes.size()))
        return nullptr;
    const QSize size = layout->size;
    auto source = std::make_shared<RasterSource>(bytes, std::move(*layout));
    if (pixels(size) > WholePicturePixels)
        return source;
    QImage image = source->render(QRect(QPoint(0, 0), size));
    if (image.isNull() || image.size() != size)
        return nullptr;
    return std::make_shared<ImageSource>(std::move(image));
}

}
