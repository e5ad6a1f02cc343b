#include "platform/metafile/EmfRecords.h"

#include "platform/metafile/MetafileRecords.h"

namespace platform {

namespace {

constexpr std::pair<EmfRecord, std::string_view> Names[] = {
    { EmfRecord::Header, "Header" },
    { EmfRecord::PolyBezier, "PolyBezier" },
    { EmfRecord::Polygon, "Polygon" },
    { EmfRecord::Polyline, "Polyline" },
    { EmfRecord::PolyBezierTo, "PolyBezierTo" },
    { EmfRecord::PolylineTo, "PolylineTo" },
    { EmfRecord::PolyPolyline, "PolyPolyline" },
    { EmfRecord::PolyPolygon, "PolyPolygon" },
    { EmfRecord::SetWindowExtEx, "SetWindowExtEx" },
    { EmfRecord::SetWindowOrgEx, "SetWindowOrgEx" },
    { EmfRecord::SetViewportExtEx, "SetViewportExtEx" },
    { EmfRecord::SetViewportOrgEx, "SetViewportOrgEx" },
    { EmfRecord::Eof, "Eof" },
    { EmfRecord::SetMapMode, "SetMapMode" },
    { EmfRecord::SetBkMode, "SetBkMode" },
    { EmfRecord::SetPolyFillMode, "SetPolyFillMode" },
    { EmfRecord::SetTextAlign, "SetTextAlign" },
    { EmfRecord::SetTextColor, "SetTextColor" },
    { EmfRecord::SetBkColor, "SetBkColor" },
    { EmfRecord::MoveToEx, "MoveToEx" },
    { EmfRecord::ExcludeClipRect, "ExcludeClipRect" },
    { EmfRecord::IntersectClipRect, "IntersectClipRect" },
    { EmfRecord::SaveDc, "SaveDc" },
    { EmfRecord::RestoreDc, "RestoreDc" },
    { EmfRecord::SetWorldTransform, "SetWorldTransform" },
    { EmfRecord::ModifyWorldTransform, "ModifyWorldTransform" },
    { EmfRecord::SelectObject, "SelectObject" },
    { EmfRecord::CreatePen, "CreatePen" },
    { EmfRecord::CreateBrushIndirect, "CreateBrushIndirect" },
    { EmfRecord::DeleteObject, "DeleteObject" },
    { EmfRecord::Ellipse, "Ellipse" },
    { EmfRecord::Rectangle, "Rectangle" },
    { EmfRecord::RoundRect, "RoundRect" },
    { EmfRecord::Arc, "Arc" },
    { EmfRecord::Chord, "Chord" },
    { EmfRecord::Pie, "Pie" },
    { EmfRecord::CreatePalette, "CreatePalette" },
    { EmfRecord::LineTo, "LineTo" },
    { EmfRecord::ArcTo, "ArcTo" },
    { EmfRecord::BeginPath, "BeginPath" },
    { EmfRecord::EndPath, "EndPath" },
    { EmfRecord::CloseFigure, "CloseFigure" },
    { EmfRecord::FillPath, "FillPath" },
    { EmfRecord::StrokeAndFillPath, "StrokeAndFillPath" },
    { EmfRecord::StrokePath, "StrokePath" },
    { EmfRecord::SelectClipPath, "SelectClipPath" },
    { EmfRecord::AbortPath, "AbortPath" },
    { EmfRecord::ExtSelectClipRgn, "ExtSelectClipRgn" },
    { EmfRecord::BitBlt, "BitBlt" },
    { EmfRecord::StretchBlt, "StretchBlt" },
    { EmfRecord::StretchDiBits, "StretchDiBits" },
    { EmfRecord::ExtCreateFontIndirectW, "ExtCreateFontIndirectW" },
    { EmfRecord::ExtTextOutA, "ExtTextOutA" },
    { EmfRecord::ExtTextOutW, "ExtTextOutW" },
    { EmfRecord::PolyBezier16, "PolyBezier16" },
    { EmfRecord::Polygon16, "Polygon16" },
    { EmfRecord::Polyline16, "Polyline16" },
    { EmfRecord::PolyBezierTo16, "PolyBezierTo16" },
    { EmfRecord::PolylineTo16, "PolylineTo16" },
    { EmfRecord::PolyPolyline16, "PolyPolyline16" },
    { EmfRecord::PolyPolygon16, "PolyPolygon16" },
    { EmfRecord::CreateMonoBrush, "CreateMonoBrush" },
    { EmfRecord::CreateDibPatternBrushPt, "CreateDibPatternBrushPt" },
    { EmfRecord::ExtCreatePen, "ExtCreatePen" },
    { EmfRecord::CreateColorSpace, "CreateColorSpace" },
    { EmfRecord::CreateColorSpaceW, "CreateColorSpaceW" },
};

}

std::string_view record_name(EmfRecord type)
{
    return name_in(Names, type);
}

}
