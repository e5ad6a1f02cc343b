// Enhanced metafile records that draw lines and shapes, with 32- or 16-bit points.
#include "platform/metafile/EmfRecords.h"
#include "platform/metafile/MetafileCanvas.h"

#include <vector>

namespace platform::emf {

namespace {

QPolygonF points_at(Bytes record, std::size_t at, std::size_t count, bool small)
{
    const std::size_t size = small ? 4 : 8;
    require(record.has(at, count * size), "points past its end");
    QPolygonF points;
    points.reserve(static_cast<qsizetype>(count));
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t p = at + i * size;
        points << (small ? QPointF(record.i16(p), record.i16(p + 2)) : point_at(record, p));
    }
    return points;
}

// The records of 16-bit points mirror those of 32-bit ones.
bool has_small_points(EmfRecord type)
{
    using enum EmfRecord;
    return type == PolyBezier16 || type == Polygon16 || type == Polyline16 || type == PolyBezierTo16
        || type == PolylineTo16 || type == PolyPolyline16 || type == PolyPolygon16;
}

// bounds, count, points
QPolygonF poly_points(Bytes record, EmfRecord type)
{
    return points_at(record, 28, record.u32(24), has_small_points(type));
}

// bounds, number of polygons, number of points, the counts, the points
std::vector<QPolygonF> poly_poly_points(Bytes record, EmfRecord type)
{
    const std::uint32_t polygons = record.u32(24), total = record.u32(28);
    require(record.has(32, std::size_t { polygons } * 4), "polygon counts past its end");
    std::size_t at = 32 + std::size_t { polygons } * 4;
    const QPolygonF all = points_at(record, at, total, has_small_points(type));
    std::vector<QPolygonF> result;
    qsizetype first = 0;
    for (std::uint32_t i = 0; i < polygons; ++i) {
        const std::uint32_t count = record.u32(32 + i * 4);
        require(count <= all.size() - first, "polygons of more points than it holds");
        result.push_back(all.mid(first, count));
        first += count;
    }
    return result;
}

void poly_polyline(MetafileCanvas& canvas, const std::vector<QPolygonF>& lines)
{
    for (const QPolygonF& line : lines)
        canvas.polyline(line, false);
}

void arc_record(MetafileCanvas& canvas, MetafileCanvas::ArcKind kind, Bytes record)
{
    canvas.arc(rect_at(record, 8), point_at(record, 24), point_at(record, 32), kind);
}

}

bool play_shape_record(MetafileCanvas& canvas, EmfRecord type, Bytes record)
{
    using ArcKind = MetafileCanvas::ArcKind;
    using enum EmfRecord;
    switch (type) {
    case PolyBezier: case PolyBezier16: canvas.poly_bezier(poly_points(record, type), false); break;
    case Polygon: case Polygon16: canvas.polygons({ poly_points(record, type) }); break;
    case Polyline: case Polyline16: canvas.polyline(poly_points(record, type), false); break;
    case PolyBezierTo: case PolyBezierTo16: canvas.poly_bezier(poly_points(record, type), true); break;
    case PolylineTo: case PolylineTo16: canvas.polyline(poly_points(record, type), true); break;
    case PolyPolyline: case PolyPolyline16: poly_polyline(canvas, poly_poly_points(record, type)); break;
    case PolyPolygon: case PolyPolygon16: canvas.polygons(poly_poly_points(record, type)); break;
    case Ellipse: canvas.ellipse(rect_at(record, 8)); break;
    case Rectangle: canvas.rectangle(rect_at(record, 8)); break;
    case RoundRect: canvas.round_rect(rect_at(record, 8), QSizeF(record.i32(24), record.i32(28))); break;
    case Arc: case ArcTo: arc_record(canvas, ArcKind::Arc, record); break;
    case Chord: arc_record(canvas, ArcKind::Chord, record); break;
    case Pie: arc_record(canvas, ArcKind::Pie, record); break;
    case LineTo: canvas.line_to(point_at(record, 8)); break;
    default: return false;
    }
    return true;
}

}
