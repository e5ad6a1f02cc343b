// Windows metafile records that draw lines, shapes, text and bitmaps.
#include "platform/codec/Dib.h"
#include "platform/metafile/MetafileCanvas.h"
#include "platform/metafile/MetafileText.h"
#include "platform/metafile/WmfRecords.h"

#include <vector>

namespace platform::wmf {

namespace {

QPolygonF points_from(Bytes record, std::size_t n, std::size_t count)
{
    require(record.has(6 + n * 2, count * 4), "points past its end");
    QPolygonF points;
    for (std::size_t i = 0; i < count; ++i)
        points << QPointF(param(record, n + i * 2), param(record, n + i * 2 + 1));
    return points;
}

std::vector<QPolygonF> poly_polygon(Bytes record)
{
    const auto polygons = static_cast<std::uint16_t>(param(record, 0));
    std::vector<QPolygonF> result;
    std::size_t n = 1 + polygons;
    for (std::size_t i = 0; i < polygons; ++i) {
        const auto count = static_cast<std::uint16_t>(param(record, 1 + i));
        result.push_back(points_from(record, n, count));
        n += std::size_t { count } * 2;
    }
    return result;
}

void arc(MetafileCanvas& canvas, MetafileCanvas::ArcKind kind, Bytes record)
{
    canvas.arc(rect_param(record, 4), point_param(record, 2), point_param(record, 0), kind);
}

TextRun text_run(Bytes string, int charset, const std::vector<double>& unit_advances)
{
    const DecodedText decoded = decode_ansi_text_or_marks(string, charset);
    TextRun run;
    run.characters = decoded.characters;
    run.advances = character_advances(decoded, unit_advances);
    return run;
}

// count, the string padded to whole words, then y and x.
void text_out(MetafileCanvas& canvas, Bytes record)
{
    const auto count = static_cast<std::uint16_t>(param(record, 0));
    const std::size_t words = (count + 1) / 2;
    TextRun run = text_run(record.part(8, count), canvas.dc().font.charset, {});
    run.reference = point_param(record, 1 + words);
    canvas.text(run);
}

// y, x, count, options, the rectangle when the options use it, the string padded to whole
// words, and maybe the advances.
void ext_text_out(MetafileCanvas& canvas, Bytes record)
{
    const auto count = static_cast<std::uint16_t>(param(record, 2));
    const auto options = static_cast<std::uint16_t>(param(record, 3));
    const bool has_rect = options & (TextRun::Opaque | TextRun::Clipped);
    const std::size_t string_at = 6 + 8 + (has_rect ? 8 : 0);
    const Bytes string = record.part(string_at, count);
    const std::size_t advances_at = string_at + (count + 1) / 2 * 2;
    std::vector<double> advances;
    if (record.has(advances_at, std::size_t { count } * 2)) {
        for (std::size_t i = 0; i < count; ++i)
            advances.push_back(record.i16(advances_at + i * 2));
    }
    TextRun run = text_run(string, canvas.dc().font.charset, advances);
    run.reference = point_param(record, 0);
    run.options = options;
    if (has_rect)
        run.rect = QRectF(QPointF(param(record, 4), param(record, 5)), QPointF(param(record, 6), param(record, 7)));
    canvas.text(run);
}

// The destination (size, then corner) at word `d`, and the packed bitmap after it; a record
// without a bitmap fills the destination with the brush by its raster operation.
template <typename SourceOf>
void blt(MetafileCanvas& canvas, Bytes record, bool has_bitmap, std::size_t d, SourceOf source_of)
{
    const std::uint32_t rop = record.u32(6);
    const QRectF destination(point_param(record, d + 2), QSizeF(param(record, d + 1), param(record, d)));
    if (!has_bitmap) {
        canvas.pattern_fill(destination, rop);
        return;
    }
    const Dib dib = decode_packed_dib(record.from(6 + (d + 4) * 2));
    canvas.bitmap(destination, dib.image, source_of(dib, destination), rop);
}

// rop, [usage,] source size, source, destination size, destination, bitmap. A bitmap-less
// record has one more reserved word before the destination and just the raster operation.
void stretch_blt(MetafileCanvas& canvas, Bytes record, bool with_usage)
{
    const std::size_t n = with_usage ? 3 : 2;
    const bool has_bitmap = record.size() > (with_usage ? 14u : 13u) * 2 + 6;
    blt(canvas, record, has_bitmap, has_bitmap ? n + 4 : n + 5, [&](const Dib& dib, const QRectF&) {
        return dib.source(param(record, n + 3), param(record, n + 2), param(record, n + 1), param(record, n));
    });
}

// rop, source, destination size, destination, bitmap; the source is as big as the destination.
void bit_blt(MetafileCanvas& canvas, Bytes record)
{
    const bool has_bitmap = record.size() > 12 * 2;
    blt(canvas, record, has_bitmap, has_bitmap ? 4 : 5, [&](const Dib& dib, const QRectF& destination) {
        return dib.source(param(record, 3), param(record, 2), destination.width(), destination.height());
    });
}

}

bool play_shape_record(MetafileCanvas& canvas, WmfFunction function, Bytes record)
{
    using ArcKind = MetafileCanvas::ArcKind;
    using enum WmfFunction;
    switch (function) {
    case LineTo: canvas.line_to(point_param(record, 0)); break;
    case Rectangle: canvas.rectangle(rect_param(record, 0)); break;
    case Ellipse: canvas.ellipse(rect_param(record, 0)); break;
    case RoundRect: canvas.round_rect(rect_param(record, 2), QSizeF(param(record, 1), param(record, 0))); break;
    case Arc: arc(canvas, ArcKind::Arc, record); break;
    case Chord: arc(canvas, ArcKind::Chord, record); break;
    case Pie: arc(canvas, ArcKind::Pie, record); break;
    case Polyline: canvas.polyline(points_from(record, 1, static_cast<std::uint16_t>(param(record, 0))), false); break;
    case Polygon: canvas.polygons({ points_from(record, 1, static_cast<std::uint16_t>(param(record, 0))) }); break;
    case PolyPolygon: canvas.polygons(poly_polygon(record)); break;
    default: return false;
    }
    return true;
}

bool play_text_record(MetafileCanvas& canvas, WmfFunction function, Bytes record)
{
    if (function == WmfFunction::TextOut)
        text_out(canvas, record);
    else if (function == WmfFunction::ExtTextOut)
        ext_text_out(canvas, record);
    else
        return false;
    return true;
}

bool play_bitmap_record(MetafileCanvas& canvas, WmfFunction function, Bytes record)
{
    switch (function) {
    case WmfFunction::DibBitBlt: bit_blt(canvas, record); break;
    case WmfFunction::DibStretchBlt: stretch_blt(canvas, record, false); break;
    case WmfFunction::StretchDib: stretch_blt(canvas, record, true); break;
    default: return false;
    }
    return true;
}

}
