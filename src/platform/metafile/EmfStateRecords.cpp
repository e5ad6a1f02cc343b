// Enhanced metafile records that change the drawing state: mapping, colours, modes,
// saved states, clipping, the path bracket.
#include "platform/metafile/EmfRecords.h"
#include "platform/metafile/MetafileCanvas.h"

#include <cmath>
#include <vector>

namespace platform::emf {

namespace {

// How a record changes the world transform by the one it holds.
enum class WorldChange : std::uint32_t { Reset = 1, Before = 2, After = 3, Replace = 4 };

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

void modify_world(MetafileDc& dc, const QTransform& xform, WorldChange change)
{
    QTransform world = dc.world;
    switch (change) {
    case WorldChange::Reset: world = QTransform(); break;
    case WorldChange::Before: world = xform * dc.world; break;
    case WorldChange::After: world = dc.world * xform; break;
    case WorldChange::Replace: world = xform; break;
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

RegionMode region_mode(Bytes record, std::size_t at) { return static_cast<RegionMode>(record.u32(at)); }

bool is_map_mode(std::uint32_t mode)
{
    return mode >= static_cast<std::uint32_t>(MapMode::Text) && mode <= static_cast<std::uint32_t>(MapMode::Anisotropic);
}

void select_clip_region(MetafileCanvas& canvas, Bytes record)
{
    const std::uint32_t size = record.u32(8);
    const RegionMode mode = region_mode(record, 12);
    std::vector<QRectF> rects;
    if (size >= 32) {
        const Bytes region = record.part(16, size);
        const std::uint32_t count = region.u32(8);
        require(region.has(32, std::size_t { count } * 16), "region's rectangles past its end");
        for (std::uint32_t i = 0; i < count; ++i)
            rects.push_back(rect_at(region, 32 + i * 16));
    }
    canvas.device_clip(rects, mode);
}

}

bool play_state_record(MetafileCanvas& canvas, EmfRecord type, Bytes record)
{
    MetafileDc& dc = canvas.dc();
    using enum EmfRecord;
    switch (type) {
    case SetWindowExtEx: set_extent(dc.window_ext, point_at(record, 8)); break;
    case SetWindowOrgEx: dc.window_org = point_at(record, 8); break;
    case SetViewportExtEx: set_extent(dc.viewport_ext, point_at(record, 8)); break;
    case SetViewportOrgEx: dc.viewport_org = point_at(record, 8); break;
    case SetMapMode:
        if (const std::uint32_t mode = record.u32(8); is_map_mode(mode))
            dc.map_mode = static_cast<MapMode>(mode);
        break;
    case SetBkMode: dc.opaque_back = record.u32(8) == OpaqueBackground; break;
    case SetPolyFillMode: dc.fill_rule = fill_rule(record.u32(8)); break;
    case SetTextAlign: dc.text_align = record.u32(8); break;
    case SetTextColor: dc.text_color = colorref(record.u32(8)); break;
    case SetBkColor: dc.back_color = colorref(record.u32(8)); break;
    case MoveToEx: canvas.move_to(point_at(record, 8)); break;
    case ExcludeClipRect: canvas.exclude_clip(rect_at(record, 8)); break;
    case IntersectClipRect: canvas.intersect_clip(rect_at(record, 8)); break;
    case SaveDc: canvas.save_dc(); break;
    case RestoreDc: canvas.restore_dc(record.i32(8)); break;
    case SetWorldTransform: modify_world(dc, xform_at(record, 8), WorldChange::Replace); break;
    case ModifyWorldTransform: modify_world(dc, xform_at(record, 8), static_cast<WorldChange>(record.u32(32))); break;
    case BeginPath: canvas.begin_path(); break;
    case EndPath: canvas.end_path(); break;
    case CloseFigure: canvas.close_figure(); break;
    case FillPath: canvas.fill_path(); break;
    case StrokeAndFillPath: canvas.stroke_and_fill_path(); break;
    case StrokePath: canvas.stroke_path(); break;
    case SelectClipPath: canvas.select_clip_path(region_mode(record, 8)); break;
    case AbortPath: canvas.abort_path(); break;
    case ExtSelectClipRgn: select_clip_region(canvas, record); break;
    default: return false;
    }
    return true;
}

}
