#pragma once
// The drawing state a metafile's records change: mapping, pen, brush, font, colours, text
// alignment, clipping. Saved and restored as a whole.
#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QPointF>
#include <QString>
#include <QTransform>

#include <optional>
#include <variant>

namespace platform {

struct GdiPen {
    enum Style { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4, Null = 5, InsideFrame = 6 };
    // The style's parts: the line in the low bits, then the ends, the joins, the kind.
    enum Bits : std::uint32_t {
        Line = 0x0F,
        Ends = 0xF00, SquareEnds = 0x100, FlatEnds = 0x200,
        Joins = 0xF000, BevelJoins = 0x1000, MiterJoins = 0x2000,
        Geometric = 0x10000, // else cosmetic: one pixel wide
    };
    std::uint32_t style { Solid }; // line style in the low bits, caps and joins above
    double width { 0 };            // logical units; 0 is one pixel
    QColor color { Qt::black };
};

struct GdiBrush {
    enum Style { Solid = 0, Null = 1, Hatched = 2, Pattern = 3, DibPattern = 5, DibPatternPt = 6 };
    std::uint32_t style { Solid };
    QColor color { Qt::white };
    std::uint32_t hatch { 0 };
    QImage pattern; // a bitmap brush's tile, in the picture's pixels
};

struct GdiFont {
    double height { 0 };   // logical units: negative the character height, positive the cell's
    double escapement { 0 }; // tenths of a degree, counter-clockwise
    int weight { 400 };
    bool italic { false };
    bool underline { false };
    bool strike_out { false };
    int charset { 1 }; // DEFAULT_CHARSET
    QString face;
};

// An object the table holds; a record that makes an object the player does not draw
// (palette, region, old-style pattern brush) still takes its place.
using GdiObject = std::variant<std::monostate, GdiPen, GdiBrush, GdiFont>;

enum class MapMode { Text = 1, LoMetric, HiMetric, LoEnglish, HiEnglish, Twips, Isotropic, Anisotropic };

// How a clip area combines with the clip before it.
enum class RegionMode { And = 1, Or, Xor, Diff, Copy };

// The background and fill modes records set; any other value is the transparent background
// and the alternate fill.
inline constexpr int OpaqueBackground = 2;
inline constexpr int WindingFillMode = 2;
inline Qt::FillRule fill_rule(std::int64_t mode) { return mode == WindingFillMode ? Qt::WindingFill : Qt::OddEvenFill; }

struct MetafileDc {
    MapMode map_mode { MapMode::Text };
    QPointF window_org { 0, 0 };
    QPointF window_ext { 1, 1 };
    QPointF viewport_org { 0, 0 };
    QPointF viewport_ext { 1, 1 };
    QTransform world;

    GdiPen pen;
    GdiBrush brush;
    GdiFont font;
    QColor text_color { Qt::black };
    QColor back_color { Qt::white };
    bool opaque_back { true };
    std::uint32_t text_align { 0 };
    Qt::FillRule fill_rule { Qt::OddEvenFill };
    QPointF position { 0, 0 };
    std::optional<QPainterPath> clip; // in the picture's pixels
};

// A colour as records store it: 0x00BBGGRR.
inline QColor colorref(std::uint32_t value) { return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF); }

}
