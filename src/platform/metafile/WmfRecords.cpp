#include "platform/metafile/WmfRecords.h"

#include "platform/metafile/MetafileRecords.h"

namespace platform {

namespace {

constexpr std::pair<WmfFunction, std::string_view> Names[] = {
    { WmfFunction::Eof, "Eof" },
    { WmfFunction::SaveDc, "SaveDc" },
    { WmfFunction::CreatePalette, "CreatePalette" },
    { WmfFunction::SetBkMode, "SetBkMode" },
    { WmfFunction::SetPolyFillMode, "SetPolyFillMode" },
    { WmfFunction::RestoreDc, "RestoreDc" },
    { WmfFunction::SelectObject, "SelectObject" },
    { WmfFunction::SetTextAlign, "SetTextAlign" },
    { WmfFunction::DibCreatePatternBrush, "DibCreatePatternBrush" },
    { WmfFunction::DeleteObject, "DeleteObject" },
    { WmfFunction::CreatePatternBrush, "CreatePatternBrush" },
    { WmfFunction::SetBkColor, "SetBkColor" },
    { WmfFunction::SetTextColor, "SetTextColor" },
    { WmfFunction::SetWindowOrg, "SetWindowOrg" },
    { WmfFunction::SetWindowExt, "SetWindowExt" },
    { WmfFunction::OffsetWindowOrg, "OffsetWindowOrg" },
    { WmfFunction::LineTo, "LineTo" },
    { WmfFunction::MoveTo, "MoveTo" },
    { WmfFunction::CreatePenIndirect, "CreatePenIndirect" },
    { WmfFunction::CreateFontIndirect, "CreateFontIndirect" },
    { WmfFunction::CreateBrushIndirect, "CreateBrushIndirect" },
    { WmfFunction::Polygon, "Polygon" },
    { WmfFunction::Polyline, "Polyline" },
    { WmfFunction::ExcludeClipRect, "ExcludeClipRect" },
    { WmfFunction::IntersectClipRect, "IntersectClipRect" },
    { WmfFunction::Ellipse, "Ellipse" },
    { WmfFunction::Rectangle, "Rectangle" },
    { WmfFunction::TextOut, "TextOut" },
    { WmfFunction::PolyPolygon, "PolyPolygon" },
    { WmfFunction::RoundRect, "RoundRect" },
    { WmfFunction::CreateRegion, "CreateRegion" },
    { WmfFunction::Arc, "Arc" },
    { WmfFunction::Pie, "Pie" },
    { WmfFunction::Chord, "Chord" },
    { WmfFunction::DibBitBlt, "DibBitBlt" },
    { WmfFunction::ExtTextOut, "ExtTextOut" },
    { WmfFunction::DibStretchBlt, "DibStretchBlt" },
    { WmfFunction::StretchDib, "StretchDib" },
};

}

std::string_view record_name(WmfFunction function)
{
    return name_in(Names, function);
}

}
