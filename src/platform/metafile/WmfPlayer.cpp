#include "platform/metafile/WmfPlayer.h"
#include "platform/codec/PictureLimits.h"

#include "platform/metafile/MetafileCanvas.h"
#include "platform/metafile/MetafileRecords.h"
#include "platform/metafile/WmfRecords.h"

#include <QPainter>
#include <cmath>
#include <cstdlib>

namespace platform {

namespace {

constexpr std::uint32_t PlaceableKey = 0x9AC6CDD7;
constexpr std::size_t PlaceableSize = 22, HeaderSize = 18;

bool is_placeable(Bytes file) { return file.has(0, 4) && file.u32(0) == PlaceableKey; }

bool is_plain_header(Bytes file, std::size_t at)
{
    return file.has(at, HeaderSize) && (file.u16(at) == 1 || file.u16(at) == 2) && file.u16(at + 2) == 9
        && (file.u16(at + 4) == 0x0300 || file.u16(at + 4) == 0x0100);
}

// Calls `visit(function, record)` for each record up to the end-of-file record, as long as
// it returns true. A refusal from inside a record names its kind.
template <typename Visit> void for_each_record(Bytes file, std::size_t at, Visit visit)
{
    for (std::size_t count = 0; at + 6 <= file.size(); ++count) {
        require(count < MaxMetafileRecords, "too many records");
        const std::uint32_t words = file.u32(at);
        require(words >= 3, "record shorter than its header");
        require(words <= (file.size() - at) / 2, "record runs past the end of the file");
        const Bytes record = file.part(at, std::size_t { words } * 2);
        const auto function = static_cast<WmfFunction>(record.u16(4));
        if (function == WmfFunction::Eof)
            return;
        if (!within_record(function, [&] { return visit(function, record); }))
            return;
        at += record.size();
    }
}

// Bounding box units through HIMETRIC to 96 dpi pixels, each step rounded.
int placeable_pixels(std::int64_t units, std::int64_t per_inch)
{
    const std::int64_t himetric = std::llround(double(std::abs(units)) * 2540.0 / double(per_inch));
    return checked_metafile_side(std::llround(double(himetric) * 96.0 / 2540.0));
}

WmfLayout placeable_layout(Bytes file)
{
    require(file.has(0, PlaceableSize), "placeable header too short");
    const std::int16_t left = file.i16(6), top = file.i16(8), right = file.i16(10), bottom = file.i16(12);
    const std::uint16_t per_inch = file.u16(14);
    require(per_inch != 0, "no units per inch");
    WmfLayout layout;
    layout.window = QRectF(QPointF(left, top), QPointF(right, bottom));
    layout.size = QSize(placeable_pixels(std::int64_t { right } - left, per_inch),
                        placeable_pixels(std::int64_t { bottom } - top, per_inch));
    layout.records_at = PlaceableSize + HeaderSize;
    return layout;
}

// Without the placeable header the records set the window the picture shows.
WmfLayout plain_layout(Bytes file)
{
    WmfLayout layout;
    layout.records_at = HeaderSize;
    QPointF origin(0, 0);
    std::optional<QPointF> extent;
    for_each_record(file, layout.records_at, [&](WmfFunction function, Bytes record) {
        if (function == WmfFunction::SetWindowOrg)
            origin = wmf::point_param(record, 0);
        if (function == WmfFunction::SetWindowExt)
            extent = wmf::point_param(record, 0);
        return !extent;
    });
    require(extent.has_value(), "no placeable header and no window extent");
    layout.window = QRectF(origin, QSizeF(extent->x(), extent->y()));
    layout.size = QSize(checked_metafile_side(std::llround(std::abs(extent->x()))),
                        checked_metafile_side(std::llround(std::abs(extent->y()))));
    return layout;
}

void play_record(MetafileCanvas& canvas, WmfFunction function, Bytes record)
{
    wmf::play_state_record(canvas, function, record) || wmf::play_object_record(canvas, function, record)
        || wmf::play_shape_record(canvas, function, record) || wmf::play_text_record(canvas, function, record)
        || wmf::play_bitmap_record(canvas, function, record); // anything else is skipped
}

}

bool is_wmf(Bytes file) { return is_placeable(file) || is_plain_header(file, 0); }

WmfLayout read_wmf_layout(Bytes file)
{
    require(is_wmf(file), "not a Windows metafile");
    WmfLayout layout = is_placeable(file) ? placeable_layout(file) : plain_layout(file);
    require(is_plain_header(file, layout.records_at - HeaderSize), "no metafile header after the placeable one");
    layout.objects = file.u16(layout.records_at - HeaderSize + 10);
    return layout;
}

void play_wmf(Bytes file, QPainter& painter, const QTransform& picture_to_painter)
{
    const WmfLayout layout = read_wmf_layout(file);
    MetafileCanvas canvas(painter, picture_to_painter, QPointF(1, 1), layout.objects);
    // The picture's rectangle is the viewport; the records move and size the window.
    MetafileDc& dc = canvas.dc();
    dc.map_mode = MapMode::Anisotropic;
    dc.window_org = layout.window.topLeft();
    if (layout.window.width() != 0 && layout.window.height() != 0)
        dc.window_ext = QPointF(layout.window.width(), layout.window.height());
    dc.viewport_ext = QPointF(layout.size.width(), layout.size.height());
    for_each_record(file, layout.records_at, [&](WmfFunction function, Bytes record) {
        play_record(canvas, function, record);
        return true;
    });
}

}
