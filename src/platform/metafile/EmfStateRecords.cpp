// Enhanced metafile records that change the drawing state: mapping, colours, modes,
// saved states, clipping, the path bracket.
#include "platform/metafile/EmfRecords.h"
#include "platform/metafile/MetafileCanvas.h"

#include <cmath>
#include <vector>

namespace platform::emf {

namespace {

QTransform xform_at(Bytes record, std::size_t at)
{
    return QTransform(record.f32(at), record.f32(at + 4), record.f32(at + 8), record.f32(at + 12),
                      record.f32(at + 16), record.f32(at + 20));
}

bool finite(const QTransform& transform)
{
    return std::isfinite(transform.m11()) && std::isfinite(transform.m12()) && std::isfinite(transform.m21())
        && std::isfinite(transform.m22()) && std::isfinite(transform.dx()) && std::isfinite(transform.dy())
        && transform.isInvertible();
}

void modify_world(MetafileDc& dc, const QTransform& xform, std::uint32_t mode)
{
    QTransform world = dc.world;
    switch (mode) {
    case 1: world = QTransform(); break;
    case 2: world = xform * dc.world; break;
    case 3: world = dc.world * xform; break;
    case 4: world = xform; break;
    default: return;
    }
    if (finite(world))
        dc.world = world;
}

// Extents of zero would divide by zero: Windows refuses them.
void set_extent(QPointF& extent, QPointF value)
{
    if (value.x() != 0 && value.y() != 0)
        extent = value;
}

void select_clip_region(MetafileCanvas& canvas, Bytes record)
{
    const std::uint32_t size = record.u32(8), mode = record.u32(12);
    std::vector<QRectF> rects;
    if (size >= 32) {
        const Bytes region = record.part(16, size);
        const std::uint32_t count = region.u32(8);
        require(region.has(32, std::size_t { count } * 16));
        for (std::uint32_t i = 0; i < count; ++i)
            rects.push_back(rect_at(region, 32 + i * 16));
    }
    canvas.device_clip(rects, static_cast<int>(mode));
}

}

bool play_state_record(MetafileCanvas& canvas, std::uint32_t type, Bytes record)
{
    MetafileDc& dc = canvas.dc();
    switch (type) {
    case 9: set_extent(dc.window_ext, point_at(record, 8)); break;
    case 10: dc.window_org = point_at(record, 8); break;
    case 11: set_extent(dc.viewport_ext, point_at(record, 8)); break;
    case 12: dc.viewport_org = point_at(record, 8); break;
    case 17:
        if (const std::uint32_t mode = record.u32(8); mode >= 1 && mode <= 8)
            dc.map_mode = static_cast<MapMode>(mode);
        break;
    case 18: dc.opaque_back = record.u32(8) == 2; break;
    case 19: dc.fill_rule = record.u32(8) == 2 ? Qt::WindingFill : Qt::OddEvenFill; break;
    case 22: dc.text_align = record.u32(8); break;
    case 24: dc.text_color = colorref(record.u32(8)); break;
    case 25: dc.back_color = colorref(record.u32(8)); break;
    case 27: canvas.move_to(point_at(record, 8)); break;
    case 29: canvas.exclude_clip(rect_at(record, 8)); break;
    case 30: canvas.intersect_clip(rect_at(record, 8)); break;
    case 33: canvas.save_dc(); break;
    case 34: canvas.restore_dc(record.i32(8)); break;
    case 35: modify_world(dc, xform_at(record, 8), 4); break;
    case 36: modify_world(dc, xform_at(record, 8), record.u32(32)); break;
    case 59: canvas.begin_path(); break;
    case 60: canvas.end_path(); break;
    case 61: canvas.close_figure(); break;
    case 62: canvas.fill_path(); break;
    case 63: canvas.stroke_and_fill_path(); break;
    case 64: canvas.stroke_path(); break;
    case 67: canvas.select_clip_path(static_cast<int>(record.u32(8))); break;
    case 68: canvas.abort_path(); break;
    case 75: select_clip_region(canvas, record); break;
    default: return false;
    }
    return true;
}

}
