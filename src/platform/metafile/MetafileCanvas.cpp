#include "platform/metafile/MetafileCanvas.h"

#include "platform/codec/ByteReader.h"

#include <QPainter>
#include <cmath>

namespace platform {

namespace {

constexpr std::size_t MaxSavedStates = 4096;
constexpr int MaxClipElements = 4096; // a clip more complex than this is a damaged file

enum class StockObject : std::uint32_t {
    WhiteBrush = 0, LightGreyBrush, GreyBrush, DarkGreyBrush, BlackBrush, NullBrush, WhitePen, BlackPen, NullPen,
    OemFixedFont = 10, AnsiFixedFont, AnsiVariableFont, SystemFont, DeviceDefaultFont, DefaultPalette,
    SystemFixedFont, DefaultGuiFont,
};
constexpr double MaxPenPixels = 16384;

// Millimetres a logical unit of a fixed mapping mode, with the sign of its y axis.
std::optional<double> fixed_unit_mm(MapMode mode)
{
    switch (mode) {
    case MapMode::LoMetric: return 0.1;
    case MapMode::HiMetric: return 0.01;
    case MapMode::LoEnglish: return 0.254;
    case MapMode::HiEnglish: return 0.0254;
    case MapMode::Twips: return 25.4 / 1440;
    default: return std::nullopt;
    }
}

QPointF page_scale(const MetafileDc& dc, QPointF px_per_mm)
{
    if (const auto mm = fixed_unit_mm(dc.map_mode))
        return { *mm * px_per_mm.x(), -*mm * px_per_mm.y() };
    if (dc.map_mode == MapMode::Text)
        return { 1, 1 };
    QPointF scale(dc.viewport_ext.x() / dc.window_ext.x(), dc.viewport_ext.y() / dc.window_ext.y());
    if (dc.map_mode == MapMode::Isotropic) {
        const double both = std::min(std::abs(scale.x()), std::abs(scale.y()));
        scale = { std::copysign(both, scale.x()), std::copysign(both, scale.y()) };
    }
    return scale;
}

// The pixels a logical length takes, whatever the direction.
double picture_length(const QTransform& transform, double logical)
{
    return std::abs(logical) * std::sqrt(std::abs(transform.determinant()));
}

Qt::BrushStyle hatch_style(std::uint32_t hatch)
{
    static constexpr Qt::BrushStyle styles[] = { Qt::HorPattern, Qt::VerPattern, Qt::FDiagPattern,
                                                 Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern };
    return hatch < std::size(styles) ? styles[hatch] : Qt::SolidPattern;
}

// The stock objects a record selects with the high bit set.
std::optional<GdiObject> stock_object(std::uint32_t id)
{
    auto brush = [](QColor color) { return GdiObject(GdiBrush { GdiBrush::Solid, color, 0 }); };
    using enum StockObject;
    switch (static_cast<StockObject>(id)) {
    case WhiteBrush: return brush(Qt::white);
    case LightGreyBrush: return brush(QColor(192, 192, 192));
    case GreyBrush: return brush(QColor(128, 128, 128));
    case DarkGreyBrush: return brush(QColor(64, 64, 64));
    case BlackBrush: return brush(Qt::black);
    case NullBrush: return GdiObject(GdiBrush { GdiBrush::Null, Qt::white, 0 });
    case WhitePen: return GdiObject(GdiPen { GdiPen::Solid, 0, Qt::white });
    case BlackPen: return GdiObject(GdiPen { GdiPen::Solid, 0, Qt::black });
    case NullPen: return GdiObject(GdiPen { GdiPen::Null, 0, Qt::black });
    case OemFixedFont: case AnsiFixedFont: case AnsiVariableFont: case SystemFont: case DeviceDefaultFont:
    case SystemFixedFont: case DefaultGuiFont:
        return GdiObject(GdiFont {});
    default: return std::nullopt; // the palette, which is not drawn, and numbers of no stock object
    }
}

}

MetafileCanvas::MetafileCanvas(QPainter& painter, const QTransform& device_to_picture, QPointF px_per_mm,
                               std::size_t object_slots)
    : m_painter(painter), m_device_to_picture(device_to_picture), m_px_per_mm(px_per_mm), m_object_slots(object_slots)
{
}

QTransform MetafileCanvas::logical_to_picture() const
{
    const QPointF scale = page_scale(m_dc, m_px_per_mm);
    const QTransform page(scale.x(), 0, 0, scale.y(), m_dc.viewport_org.x() - m_dc.window_org.x() * scale.x(),
                          m_dc.viewport_org.y() - m_dc.window_org.y() * scale.y());
    return m_dc.world * page * m_device_to_picture;
}

void MetafileCanvas::save_dc()
{
    if (m_saved.size() < MaxSavedStates)
        m_saved.push_back(m_dc);
}

void MetafileCanvas::restore_dc(int which)
{
    const auto count = static_cast<std::int64_t>(m_saved.size());
    const std::int64_t index = which < 0 ? count + which : which - 1;
    if (index < 0 || index >= count)
        return; // Windows ignores a state that was never saved
    m_dc = m_saved[static_cast<std::size_t>(index)];
    m_saved.resize(static_cast<std::size_t>(index));
    apply_clip();
}

std::size_t MetafileCanvas::first_free_slot() const
{
    std::size_t slot = 0;
    for (const auto& [taken, object] : m_objects) {
        if (taken != slot)
            break;
        ++slot;
    }
    require(slot < m_object_slots, "object table too small");
    return slot;
}

void MetafileCanvas::create_object(std::size_t slot, GdiObject object)
{
    require(slot < m_object_slots, "object number past the object table");
    m_objects[slot] = std::move(object);
}

void MetafileCanvas::select_object(std::size_t slot)
{
    if (const auto found = m_objects.find(slot); found != m_objects.end())
        select(found->second);
}

void MetafileCanvas::select(const GdiObject& object)
{
    if (const auto* pen = std::get_if<GdiPen>(&object))
        m_dc.pen = *pen;
    else if (const auto* brush = std::get_if<GdiBrush>(&object))
        m_dc.brush = *brush;
    else if (const auto* font = std::get_if<GdiFont>(&object))
        m_dc.font = *font;
}

void MetafileCanvas::select_stock_object(std::uint32_t id)
{
    if (const auto object = stock_object(id))
        select(*object);
}

void MetafileCanvas::delete_object(std::size_t slot)
{
    m_objects.erase(slot);
}

void MetafileCanvas::begin_path()
{
    m_path = QPainterPath();
    m_path_open = true;
}

void MetafileCanvas::abort_path()
{
    m_path = QPainterPath();
    m_path_open = false;
}

void MetafileCanvas::close_figure()
{
    if (m_path_open)
        m_path.closeSubpath();
}

void MetafileCanvas::draw_path(bool fill, bool stroke)
{
    m_path_open = false;
    QPainterPath path = std::exchange(m_path, QPainterPath());
    path.setFillRule(m_dc.fill_rule);
    draw(path, fill, stroke);
}

void MetafileCanvas::select_clip_path(RegionMode mode)
{
    m_path_open = false;
    combine_clip(logical_to_picture().map(std::exchange(m_path, QPainterPath())), mode);
}

void MetafileCanvas::move_to(QPointF point)
{
    m_dc.position = point;
    if (m_path_open)
        m_path.moveTo(point);
}

void MetafileCanvas::line_to(QPointF point)
{
    polyline(QPolygonF { point }, true);
}

void MetafileCanvas::polyline(const QPolygonF& points, bool from_position)
{
    if (points.isEmpty())
        return;
    QPainterPath own;
    QPainterPath& path = start_figure(own, from_position ? m_dc.position : points.front(), from_position);
    for (qsizetype i = from_position ? 0 : 1; i < points.size(); ++i)
        path.lineTo(points[i]);
    finish_figure(own, from_position);
}

void MetafileCanvas::poly_bezier(const QPolygonF& points, bool from_position)
{
    const qsizetype first = from_position ? 0 : 1;
    if (points.size() < first + 3)
        return;
    QPainterPath own;
    QPainterPath& path = start_figure(own, from_position ? m_dc.position : points.front(), from_position);
    for (qsizetype i = first; i + 2 < points.size(); i += 3)
        path.cubicTo(points[i], points[i + 1], points[i + 2]);
    finish_figure(own, from_position);
}

// Lines go on the open path, continuing its figure when they start at the current position,
// or else on a path of their own.
QPainterPath& MetafileCanvas::start_figure(QPainterPath& own, QPointF start, bool from_position)
{
    QPainterPath& path = m_path_open ? m_path : own;
    if (!m_path_open || !from_position || path.elementCount() == 0)
        path.moveTo(start);
    return path;
}

void MetafileCanvas::finish_figure(const QPainterPath& own, bool from_position)
{
    const QPainterPath& path = m_path_open ? m_path : own;
    if (from_position)
        m_dc.position = path.currentPosition();
    if (!m_path_open)
        draw(own, false, true);
}

void MetafileCanvas::shape(const QPainterPath& logical)
{
    if (m_path_open) {
        m_path.addPath(logical);
        return;
    }
    QPainterPath path = logical;
    path.setFillRule(m_dc.fill_rule);
    draw(path, true, true);
}

void MetafileCanvas::polygons(const std::vector<QPolygonF>& polygons)
{
    QPainterPath path;
    for (const QPolygonF& polygon : polygons) {
        if (polygon.isEmpty())
            continue;
        path.addPolygon(polygon);
        path.closeSubpath();
    }
    shape(path);
}

void MetafileCanvas::rectangle(const QRectF& rect)
{
    QPainterPath path;
    path.addRect(rect.normalized());
    shape(path);
}

void MetafileCanvas::ellipse(const QRectF& rect)
{
    QPainterPath path;
    path.addEllipse(rect.normalized());
    shape(path);
}

void MetafileCanvas::round_rect(const QRectF& rect, QSizeF corner)
{
    QPainterPath path;
    path.addRoundedRect(rect.normalized(), std::abs(corner.width()) / 2, std::abs(corner.height()) / 2);
    shape(path);
}

void MetafileCanvas::arc(const QRectF& box, QPointF start, QPointF end, ArcKind kind)
{
    const QRectF rect = box.normalized();
    if (rect.isEmpty())
        return;
    const QPointF centre = rect.center();
    // The angle of the ray through a point, as the ellipse's parameter.
    auto angle = [&](QPointF point) {
        return std::atan2(-(point.y() - centre.y()) / rect.height(), (point.x() - centre.x()) / rect.width())
               * 180 / M_PI;
    };
    const double from = angle(start);
    double sweep = angle(end) - from;
    if (sweep <= 0)
        sweep += 360; // counter-clockwise, a whole turn when both points agree
    QPainterPath path;
    if (kind == ArcKind::Pie)
        path.moveTo(centre);
    else
        path.arcMoveTo(rect, from);
    path.arcTo(rect, from, sweep);
    if (kind == ArcKind::Arc) {
        if (m_path_open)
            m_path.addPath(path);
        else
            draw(path, false, true);
        return;
    }
    path.closeSubpath();
    shape(path);
}

QPen MetafileCanvas::picture_pen() const
{
    const GdiPen& pen = m_dc.pen;
    const std::uint32_t line = pen.style & GdiPen::Line;
    if (line == GdiPen::Null)
        return Qt::NoPen;
    const double width = std::clamp(picture_length(logical_to_picture(), pen.width), 1.0, MaxPenPixels);
    static constexpr Qt::PenStyle styles[] = { Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine,
                                               Qt::DashDotDotLine };
    QPen qpen(pen.color, width, line < std::size(styles) ? styles[line] : Qt::SolidLine);
    const std::uint32_t ends = pen.style & GdiPen::Ends, joins = pen.style & GdiPen::Joins;
    qpen.setCapStyle(ends == GdiPen::SquareEnds ? Qt::SquareCap : ends == GdiPen::FlatEnds ? Qt::FlatCap : Qt::RoundCap);
    qpen.setJoinStyle(joins == GdiPen::BevelJoins ? Qt::BevelJoin
                      : joins == GdiPen::MiterJoins ? Qt::MiterJoin : Qt::RoundJoin);
    return qpen;
}

QBrush MetafileCanvas::picture_brush() const
{
    const GdiBrush& brush = m_dc.brush;
    if (brush.style == GdiBrush::Null)
        return Qt::NoBrush;
    if (brush.style == GdiBrush::Hatched)
        return QBrush(brush.color, hatch_style(brush.hatch));
    if (!brush.pattern.isNull())
        return QBrush(brush.pattern);
    return QBrush(brush.color);
}

void MetafileCanvas::draw(const QPainterPath& logical, bool fill, bool stroke)
{
    const QPainterPath path = logical_to_picture().map(logical);
    m_painter.setRenderHint(QPainter::Antialiasing, true); // strokes thinner than a pixel stay visible
    m_painter.setPen(stroke ? picture_pen() : Qt::NoPen);
    if (fill && m_dc.brush.style == GdiBrush::Hatched && m_dc.opaque_back) {
        m_painter.setPen(Qt::NoPen);
        m_painter.setBrush(m_dc.back_color);
        m_painter.drawPath(path); // the gaps of a hatch take the background colour
        m_painter.setPen(stroke ? picture_pen() : Qt::NoPen);
    }
    m_painter.setBrush(fill ? picture_brush() : QBrush(Qt::NoBrush));
    m_painter.drawPath(path);
}

void MetafileCanvas::apply_clip()
{
    if (m_dc.clip)
        m_painter.setClipPath(*m_dc.clip);
    else
        m_painter.setClipping(false);
}

void MetafileCanvas::combine_clip(const QPainterPath& area, RegionMode mode)
{
    QPainterPath whole;
    whole.addRect(QRectF(m_painter.viewport()));
    const QPainterPath current = m_dc.clip.value_or(whole);
    switch (mode) {
    case RegionMode::And: m_dc.clip = current.intersected(area); break;
    case RegionMode::Or: m_dc.clip = current.united(area); break;
    case RegionMode::Xor: m_dc.clip = current.subtracted(area).united(area.subtracted(current)); break;
    case RegionMode::Diff: m_dc.clip = current.subtracted(area); break;
    case RegionMode::Copy: m_dc.clip = area; break;
    default: return;
    }
    require(m_dc.clip->elementCount() <= MaxClipElements, "clip too complex");
    apply_clip();
}

void MetafileCanvas::intersect_clip(const QRectF& logical)
{
    QPainterPath area;
    area.addRect(logical.normalized());
    combine_clip(logical_to_picture().map(area), RegionMode::And);
}

void MetafileCanvas::exclude_clip(const QRectF& logical)
{
    QPainterPath area;
    area.addRect(logical.normalized());
    combine_clip(logical_to_picture().map(area), RegionMode::Diff);
}

void MetafileCanvas::device_clip(const std::vector<QRectF>& rects, RegionMode mode)
{
    if (rects.empty() && mode == RegionMode::Copy) {
        m_dc.clip.reset();
        apply_clip();
        return;
    }
    QPainterPath area;
    for (const QRectF& rect : rects)
        area.addRect(rect.normalized());
    combine_clip(m_device_to_picture.map(area), mode);
}

}
