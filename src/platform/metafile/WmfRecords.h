#pragma once
// The Windows metafile's record kinds. A record holds its size in words, its function and
// then its parameters, most of them 16-bit and stored last one first.
#include "platform/codec/ByteReader.h"

#include <QPointF>
#include <QRectF>

#include <string_view>

namespace platform {

class MetafileCanvas;

// The record kinds the player knows; others are passed over.
enum class WmfFunction : std::uint16_t {
    Eof = 0x0000,
    SaveDc = 0x001E,
    CreatePalette = 0x00F7,
    SetBkMode = 0x0102,
    SetPolyFillMode = 0x0106,
    RestoreDc = 0x0127,
    SelectObject = 0x012D,
    SetTextAlign = 0x012E,
    DibCreatePatternBrush = 0x0142,
    DeleteObject = 0x01F0,
    CreatePatternBrush = 0x01F9,
    SetBkColor = 0x0201,
    SetTextColor = 0x0209,
    SetWindowOrg = 0x020B,
    SetWindowExt = 0x020C,
    OffsetWindowOrg = 0x020F,
    LineTo = 0x0213,
    MoveTo = 0x0214,
    CreatePenIndirect = 0x02FA,
    CreateFontIndirect = 0x02FB,
    CreateBrushIndirect = 0x02FC,
    Polygon = 0x0324,
    Polyline = 0x0325,
    ExcludeClipRect = 0x0415,
    IntersectClipRect = 0x0416,
    Ellipse = 0x0418,
    Rectangle = 0x041B,
    TextOut = 0x0521,
    PolyPolygon = 0x0538,
    RoundRect = 0x061C,
    CreateRegion = 0x06FF,
    Arc = 0x0817,
    Pie = 0x081A,
    Chord = 0x0830,
    DibBitBlt = 0x0940,
    ExtTextOut = 0x0A32,
    DibStretchBlt = 0x0B41,
    StretchDib = 0x0F43,
};

// "SetWindowOrg" and the like; "unknown" for a kind the player does not know.
std::string_view record_name(WmfFunction function);

namespace wmf {

// The n-th 16-bit parameter.
inline std::int16_t param(Bytes record, std::size_t n) { return record.i16(6 + n * 2); }
// A point stored y first, starting at parameter n.
inline QPointF point_param(Bytes record, std::size_t n) { return QPointF(param(record, n + 1), param(record, n)); }
// A rectangle stored bottom, right, top, left from parameter n.
inline QRectF rect_param(Bytes record, std::size_t n)
{
    return QRectF(QPointF(param(record, n + 3), param(record, n + 2)), QPointF(param(record, n + 1), param(record, n)));
}

// Each returns whether the record was one of its kinds.
bool play_state_record(MetafileCanvas& canvas, WmfFunction function, Bytes record);
bool play_object_record(MetafileCanvas& canvas, WmfFunction function, Bytes record);
bool play_shape_record(MetafileCanvas& canvas, WmfFunction function, Bytes record);
bool play_text_record(MetafileCanvas& canvas, WmfFunction function, Bytes record);
bool play_bitmap_record(MetafileCanvas& canvas, WmfFunction function, Bytes record);

}

}
