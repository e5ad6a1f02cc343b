#include "platform/metafile/EmfPlayer.h"
#include "platform/codec/PictureLimits.h"

#include "platform/metafile/EmfRecords.h"
#include "platform/metafile/MetafileCanvas.h"
#include "platform/metafile/MetafileRecords.h"

#include <QPainter>
#include <cmath>

namespace platform {

namespace {

constexpr std::uint32_t EmfSignature = 0x464D4520; // " EMF"

QRect read_rect(Bytes bytes, std::size_t at)
{
    return QRect(QPoint(bytes.i32(at), bytes.i32(at + 4)), QPoint(bytes.i32(at + 8), bytes.i32(at + 12)));
}

// szlMicrometers follows the OpenGL fields of a header that is long enough and whose
// description does not start inside them.
std::optional<QSizeF> micrometres(Bytes file, std::uint32_t header_size)
{
    const std::uint32_t description_count = file.u32(60), description_at = file.u32(64);
    if (header_size < 108 || (description_count != 0 && description_at < 108))
        return std::nullopt;
    const std::int32_t width = file.i32(100), height = file.i32(104);
    if (width <= 0 || height <= 0)
        return std::nullopt;
    return QSizeF(width / 1000.0, height / 1000.0);
}

void play_record(MetafileCanvas& canvas, EmfRecord type, Bytes record)
{
    emf::play_state_record(canvas, type, record) || emf::play_object_record(canvas, type, record)
        || emf::play_shape_record(canvas, type, record) || emf::play_text_record(canvas, type, record)
        || emf::play_bitmap_record(canvas, type, record); // anything else is skipped
}

}

bool is_emf(Bytes file)
{
    return file.has(0, 44) && static_cast<EmfRecord>(file.u32(0)) == EmfRecord::Header && file.u32(40) == EmfSignature;
}

EmfHeader read_emf_header(Bytes file)
{
    require(is_emf(file), "not an enhanced metafile");
    const std::uint32_t header_size = file.u32(4);
    require(header_size >= 88, "header shorter than 88 bytes");
    require(file.has(0, header_size), "header runs past the end of the file");
    EmfHeader header;
    header.frame = read_rect(file, 24);
    header.device_pixels = QSize(file.i32(72), file.i32(76));
    header.device_mm = micrometres(file, header_size).value_or(QSizeF(file.i32(80), file.i32(84)));
    header.handles = file.u16(56);
    require(header.frame.right() > header.frame.left() && header.frame.bottom() > header.frame.top(),
            "frame empty or upside down");
    require(header.device_pixels.width() > 0 && header.device_pixels.height() > 0, "reference device of no pixels");
    require(header.device_mm.width() > 0 && header.device_mm.height() > 0, "reference device of no size");
    return header;
}

QSize emf_natural_size(const EmfHeader& header)
{
    auto pixels = [](std::int64_t hundredths) { return std::llround(hundredths * 96.0 / 2540.0); };
    return QSize(checked_metafile_side(pixels(std::int64_t { header.frame.right() } - header.frame.left())),
                 checked_metafile_side(pixels(std::int64_t { header.frame.bottom() } - header.frame.top())));
}

void play_emf(Bytes file, QPainter& painter, const QTransform& picture_to_painter)
{
    const EmfHeader header = read_emf_header(file);
    const QSize size = emf_natural_size(header);
    const double frame_width = double(header.frame.right()) - header.frame.left();
    const double frame_height = double(header.frame.bottom()) - header.frame.top();
    // Reference device pixels to hundredths of a millimetre, then the frame to the picture.
    const QPointF mm_per_pixel(header.device_mm.width() / header.device_pixels.width(),
                               header.device_mm.height() / header.device_pixels.height());
    const QPointF scale(size.width() / frame_width, size.height() / frame_height);
    const QTransform device_to_picture(mm_per_pixel.x() * 100 * scale.x(), 0, 0, mm_per_pixel.y() * 100 * scale.y(),
                                       -header.frame.left() * scale.x(), -header.frame.top() * scale.y());
    MetafileCanvas canvas(painter, device_to_picture * picture_to_painter,
                          QPointF(1 / mm_per_pixel.x(), 1 / mm_per_pixel.y()), header.handles);
    std::size_t at = 0;
    for (std::size_t count = 0; at + 8 <= file.size(); ++count) {
        require(count < MaxMetafileRecords, "too many records");
        const auto type = static_cast<EmfRecord>(file.u32(at));
        const std::uint32_t size_bytes = file.u32(at + 4);
        require(size_bytes >= 8, "record shorter than its header");
        require(size_bytes % 4 == 0, "record size not a whole number of 32-bit words");
        require(file.has(at, size_bytes), "record runs past the end of the file");
        const Bytes record = file.part(at, size_bytes);
        if (type == EmfRecord::Eof)
            return;
        if (type != EmfRecord::Header)
            within_record(type, [&] { play_record(canvas, type, record); });
        at += size_bytes;
    }
}

}
