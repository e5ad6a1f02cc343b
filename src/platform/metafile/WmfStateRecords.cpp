// Windows metafile records that change the drawing state and make, select and delete objects.
#include "platform/codec/Dib.h"
#include "platform/metafile/MetafileCanvas.h"
#include "platform/metafile/MetafileText.h"
#include "platform/metafile/WmfRecords.h"

namespace platform::wmf {

namespace {

std::uint32_t param32(Bytes record, std::size_t n) { return record.u32(6 + n * 2); }

void set_extent(QPointF& extent, QPointF value)
{
    if (value.x() != 0 && value.y() != 0)
        extent = value;
}

// A font's face is stored as 8-bit text in the font's own character set.
QString face_name(Bytes record, int charset)
{
    const Bytes stored = record.from(24);
    std::size_t length = 0;
    while (length < stored.size() && length < 32 && stored.u8(length) != 0)
        ++length;
    QString face;
    for (const QString& character : decode_ansi_text_or_marks(stored.part(0, length), charset).characters)
        face += character;
    return face;
}

// style, colour usage, then a bitmap with its rows; the old bitmap kind is not drawn.
GdiObject pattern_brush(Bytes record)
{
    const auto style = static_cast<std::uint16_t>(param(record, 0));
    if (style != GdiBrush::DibPattern && style != GdiBrush::DibPatternPt)
        return std::monostate {};
    return GdiBrush { GdiBrush::Pattern, Qt::black, 0, decode_packed_dib(record.from(10)).image };
}

GdiFont logical_font(Bytes record)
{
    GdiFont font;
    font.height = param(record, 0);
    font.escapement = param(record, 2);
    font.weight = param(record, 4);
    font.italic = record.u8(16) != 0;
    font.underline = record.u8(17) != 0;
    font.strike_out = record.u8(18) != 0;
    font.charset = record.u8(19);
    font.face = face_name(record, font.charset);
    return font;
}

}

bool play_state_record(MetafileCanvas& canvas, WmfFunction function, Bytes record)
{
    MetafileDc& dc = canvas.dc();
    using enum WmfFunction;
    switch (function) {
    case SetWindowOrg: dc.window_org = point_param(record, 0); break;
    case SetWindowExt: set_extent(dc.window_ext, point_param(record, 0)); break;
    case OffsetWindowOrg: dc.window_org += point_param(record, 0); break;
    case SetBkMode: dc.opaque_back = param(record, 0) == OpaqueBackground; break;
    case SetPolyFillMode: dc.fill_rule = fill_rule(param(record, 0)); break;
    case SetTextAlign: dc.text_align = static_cast<std::uint16_t>(param(record, 0)); break;
    case SetBkColor: dc.back_color = colorref(param32(record, 0)); break;
    case SetTextColor: dc.text_color = colorref(param32(record, 0)); break;
    case MoveTo: canvas.move_to(point_param(record, 0)); break;
    case ExcludeClipRect: canvas.exclude_clip(rect_param(record, 0)); break;
    case IntersectClipRect: canvas.intersect_clip(rect_param(record, 0)); break;
    case SaveDc: canvas.save_dc(); break;
    case RestoreDc: canvas.restore_dc(param(record, 0)); break;
    default: return false;
    }
    return true;
}

bool play_object_record(MetafileCanvas& canvas, WmfFunction function, Bytes record)
{
    using enum WmfFunction;
    switch (function) {
    case SelectObject: canvas.select_object(static_cast<std::uint16_t>(param(record, 0))); break;
    case DeleteObject: canvas.delete_object(static_cast<std::uint16_t>(param(record, 0))); break;
    case CreatePenIndirect:
        canvas.create_object(canvas.first_free_slot(), GdiPen { static_cast<std::uint16_t>(param(record, 0)),
                                                                double(param(record, 1)), colorref(param32(record, 3)) });
        break;
    case CreateBrushIndirect:
        canvas.create_object(canvas.first_free_slot(), GdiBrush { static_cast<std::uint16_t>(param(record, 0)),
                                                                  colorref(param32(record, 1)),
                                                                  static_cast<std::uint16_t>(param(record, 3)) });
        break;
    case CreateFontIndirect: canvas.create_object(canvas.first_free_slot(), logical_font(record)); break;
    case DibCreatePatternBrush: canvas.create_object(canvas.first_free_slot(), pattern_brush(record)); break;
    case CreatePalette: case CreatePatternBrush: case CreateRegion:
        canvas.create_object(canvas.first_free_slot(), std::monostate {}); // not drawn, but they take a slot
        break;
    default: return false;
    }
    return true;
}

}
