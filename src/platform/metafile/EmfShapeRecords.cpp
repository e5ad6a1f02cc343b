// Enhanced metafile records that draw lines and shapes, with 32- or 16-bit points.
#include "platform/metafile/EmfRecords.h"
#include "platform/metafile/MetafileCanvas.h"

#include <vector>

namespace platform::emf {

namespace {

QPolygonF points_at(Bytes record, std::size_t at, std::size_t count, bool small)
{
    const std::size_t size = small ? 4 : 8;
    require(record.has(at, count * size));
    QPolygonF points;
    points.reserve(static_cast<qsizetype>(count));
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t p = at + i * size;
        points << (small ? QPointF(record.i16(p), record.i16(p + 2)) : point_at(record, p));
    }
    return points;
}

// bounds, count, points
QPolygonF poly_points(Bytes record, bool small) { return points_at(record, 28, record.u32(24), small); }

// bounds, number of polygons, number of points, the counts, the points
std::vector<QPolygonF> poly_poly_points(Bytes record, bool small)
{
    const std::uint32_t polygons = record.u32(24), total = record.u32(28);
    require(record.has(32, std::size_t { polygons } * 4));
    std::size_t at = 32 + std::size_t { polygons } * 4;
    const QPolygonF all = points_at(record, at, total, small);
    std::vector<QPolygonF> result;
    qsizetype first = 0;
    for (std::uint32_t i = 0; i < polygons; ++i) {
        const std::uint32_t count = record.u32(32 + i * 4);
        require(count <= all.size() - first);
        result.push_back(all.mid(first, count));
        first += count;
    }
    return result;
}

void poly_record(MetafileCanvas& canvas, std::uint32_t kind, Bytes record, bool small)
{
    const QPolygonF points = poly_points(record, small);
    switch (kind) {
    case 2: canvas.poly_bezier(points, false); break;
    case 3: canvas.polygons({ points }); break;
    case 4: canvas.polyline(points, false); break;
    case 5: canvas.poly_bezier(points, true); break;
    case 6: canvas.polyline(points, true); break;
    }
}

void poly_poly_record(MetafileCanvas& canvas, bool polygon, Bytes record, bool small)
{
    const std::vector<QPolygonF> polygons = poly_poly_points(record, small);
    if (polygon) {
        canvas.polygons(polygons);
        return;
    }
    for (const QPolygonF& line : polygons)
        canvas.polyline(line, false);
}

void arc_record(MetafileCanvas& canvas, MetafileCanvas::ArcKind kind, Bytes record)
{
    canvas.arc(rect_at(record, 8), point_at(record, 24), point_at(record, 32), kind);
}

}

bool play_shape_record(MetafileCanvas& canvas, std::uint32_t type, Bytes record)
{
    using Arc = MetafileCanvas::ArcKind;
    switch (type) {
    case 2: case 3: case 4: case 5: case 6: poly_record(canvas, type, record, false); break;
    case 85: case 86: case 87: case 88: case 89: poly_record(canvas, type - 83, record, true); break;
    case 7: case 8: poly_poly_record(canvas, type == 8, record, false); break;
    case 90: case 91: poly_poly_record(canvas, type == 91, record, true); break;
    case 42: canvas.ellipse(rect_at(record, 8)); break;
    case 43: canvas.rectangle(rect_at(record, 8)); break;
    case 44: canvas.round_rect(rect_at(record, 8), QSizeF(record.i32(24), record.i32(28))); break;
    case 45: case 55: arc_record(canvas, Arc::Arc, record); break;
    case 46: arc_record(canvas, Arc::Chord, record); break;
    case 47: arc_record(canvas, Arc::Pie, record); break;
    case 54: canvas.line_to(point_at(record, 8)); break;
    default: return false;
    }
    return true;
}

}
