#pragma once
// The enhanced metafile's record kinds, each read from its record's bytes (type and size
// included, so offsets are those of the format) and done on the canvas. Each returns
// whether the record was one of its kinds.
#include "platform/codec/ByteReader.h"

#include <QPointF>
#include <QRectF>

#include <string_view>

namespace platform {

class MetafileCanvas;

// The record kinds the player knows; others are passed over.
enum class EmfRecord : std::uint32_t {
    Header = 1,
    PolyBezier = 2,
    Polygon = 3,
    Polyline = 4,
    PolyBezierTo = 5,
    PolylineTo = 6,
    PolyPolyline = 7,
    PolyPolygon = 8,
    SetWindowExtEx = 9,
    SetWindowOrgEx = 10,
    SetViewportExtEx = 11,
    SetViewportOrgEx = 12,
    Eof = 14,
    SetMapMode = 17,
    SetBkMode = 18,
    SetPolyFillMode = 19,
    SetTextAlign = 22,
    SetTextColor = 24,
    SetBkColor = 25,
    MoveToEx = 27,
    ExcludeClipRect = 29,
    IntersectClipRect = 30,
    SaveDc = 33,
    RestoreDc = 34,
    SetWorldTransform = 35,
    ModifyWorldTransform = 36,
    SelectObject = 37,
    CreatePen = 38,
    CreateBrushIndirect = 39,
    DeleteObject = 40,
    Ellipse = 42,
    Rectangle = 43,
    RoundRect = 44,
    Arc = 45,
    Chord = 46,
    Pie = 47,
    CreatePalette = 49,
    LineTo = 54,
    ArcTo = 55,
    BeginPath = 59,
    EndPath = 60,
    CloseFigure = 61,
    FillPath = 62,
    StrokeAndFillPath = 63,
    StrokePath = 64,
    SelectClipPath = 67,
    AbortPath = 68,
    ExtSelectClipRgn = 75,
    BitBlt = 76,
    StretchBlt = 77,
    StretchDiBits = 81,
    ExtCreateFontIndirectW = 82,
    ExtTextOutA = 83,
    ExtTextOutW = 84,
    PolyBezier16 = 85,
    Polygon16 = 86,
    Polyline16 = 87,
    PolyBezierTo16 = 88,
    PolylineTo16 = 89,
    PolyPolyline16 = 90,
    PolyPolygon16 = 91,
    CreateMonoBrush = 93,
    CreateDibPatternBrushPt = 94,
    ExtCreatePen = 95,
    CreateColorSpace = 99,
    CreateColorSpaceW = 122,
};

// "SetWindowOrgEx" and the like; "unknown" for a kind the player does not know.
std::string_view record_name(EmfRecord type);

namespace emf {

inline QPointF point_at(Bytes record, std::size_t at) { return QPointF(record.i32(at), record.i32(at + 4)); }
inline QRectF rect_at(Bytes record, std::size_t at) { return QRectF(point_at(record, at), point_at(record, at + 8)); }

bool play_state_record(MetafileCanvas& canvas, EmfRecord type, Bytes record);
bool play_object_record(MetafileCanvas& canvas, EmfRecord type, Bytes record);
bool play_shape_record(MetafileCanvas& canvas, EmfRecord type, Bytes record);
bool play_text_record(MetafileCanvas& canvas, EmfRecord type, Bytes record);
bool play_bitmap_record(MetafileCanvas& canvas, EmfRecord type, Bytes record);

}

}
