// Enhanced metafile records that make, select and delete pens, brushes and fonts.
#include "platform/codec/Dib.h"
#include "platform/metafile/EmfRecords.h"
#include "platform/metafile/MetafileCanvas.h"

namespace platform::emf {

namespace {

constexpr std::uint32_t StockObject = 0x80000000; // the rest of the number is the stock object's

GdiPen logical_pen(Bytes record)
{
    return GdiPen { record.u32(12), double(record.i32(16)), colorref(record.u32(24)) };
}

// An extended pen: a cosmetic one is always one pixel wide; a pen with a null brush draws nothing.
GdiPen extended_pen(Bytes record)
{
    const std::uint32_t style = record.u32(28);
    GdiPen pen { style, style & GdiPen::Geometric ? double(record.u32(32)) : 0.0, colorref(record.u32(40)) };
    if (record.u32(36) == GdiBrush::Null)
        pen.style = GdiPen::Null;
    return pen;
}

// ih, usage, then the bitmap's header and rows by offset and size.
GdiBrush pattern_brush(Bytes record)
{
    const Bytes info = record.part(record.u32(16), record.u32(20));
    const Bytes bits = record.part(record.u32(24), record.u32(28));
    return GdiBrush { GdiBrush::Pattern, Qt::black, 0, decode_dib(info, bits).image };
}

GdiFont logical_font(Bytes record)
{
    GdiFont font;
    font.height = record.i32(12);
    font.escapement = record.i32(20);
    font.weight = record.i32(28);
    font.italic = record.u8(32) != 0;
    font.underline = record.u8(33) != 0;
    font.strike_out = record.u8(34) != 0;
    font.charset = record.u8(35);
    std::u16string face;
    for (std::size_t i = 0; i < 32; ++i) {
        const char16_t unit = record.u16(40 + i * 2);
        if (unit == 0)
            break;
        face.push_back(unit);
    }
    font.face = QString::fromStdU16String(face);
    return font;
}

}

bool play_object_record(MetafileCanvas& canvas, EmfRecord type, Bytes record)
{
    using enum EmfRecord;
    switch (type) {
    case SelectObject:
        if (const std::uint32_t id = record.u32(8); id & StockObject)
            canvas.select_stock_object(id & ~StockObject);
        else
            canvas.select_object(id);
        break;
    case CreatePen: canvas.create_object(record.u32(8), logical_pen(record)); break;
    case CreateBrushIndirect:
        canvas.create_object(record.u32(8), GdiBrush { record.u32(12), colorref(record.u32(16)), record.u32(20) });
        break;
    case DeleteObject: canvas.delete_object(record.u32(8)); break;
    case ExtCreateFontIndirectW: canvas.create_object(record.u32(8), logical_font(record)); break;
    case ExtCreatePen: canvas.create_object(record.u32(8), extended_pen(record)); break;
    case CreateMonoBrush: case CreateDibPatternBrushPt: canvas.create_object(record.u32(8), pattern_brush(record)); break;
    case CreatePalette: case CreateColorSpace: case CreateColorSpaceW:
        canvas.create_object(record.u32(8), std::monostate {}); // palettes, colour spaces
        break;
    default: return false;
    }
    return true;
}

}
