#pragma once
// Colours and small drawing pieces shared by every picture. The light comes from the
// upper left in all of them.
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>

#include <initializer_list>
#include <utility>

namespace assetgen {

namespace colour {
inline constexpr QRgb kBodyCream = qRgb(0xf4, 0xf0, 0xe4);
inline constexpr QRgb kBodyLight = qRgb(0xfc, 0xfa, 0xf4);
inline constexpr QRgb kBodyShade = qRgb(0xdf, 0xd8, 0xc6);
inline constexpr QRgb kBand = qRgb(0x17, 0x7e, 0x89);
inline constexpr QRgb kBandDark = qRgb(0x0f, 0x5e, 0x67);
inline constexpr QRgb kPinstripe = qRgb(0xf2, 0x9e, 0x38);
inline constexpr QRgb kRubber = qRgb(0x1b, 0x1c, 0x1e);
inline constexpr QRgb kGlassTop = qRgb(0x26, 0x36, 0x44);
inline constexpr QRgb kGlassBottom = qRgb(0x4c, 0x63, 0x74);
inline constexpr QRgb kInterior = qRgb(0x24, 0x27, 0x2c);
inline constexpr QRgb kSignBlack = qRgb(0x0c, 0x0d, 0x0e);
inline constexpr QRgb kSafetyYellow = qRgb(0xe8, 0xc4, 0x3a);
inline constexpr QRgb kSwitchYellow = qRgb(0xf6, 0xd3, 0x1e);
inline constexpr QRgb kTyre = qRgb(0x1e, 0x1f, 0x21);
inline constexpr QRgb kArch = qRgb(0x12, 0x13, 0x14);
}

using GradientStops = std::initializer_list<std::pair<double, QRgb>>;

// A blank picture of `size` (1x pixels) filled with `background`, made with `scale` device
// pixels a pixel: a painter on it draws in 1x pixels, so every picture is drawn afresh at
// each scale instead of being enlarged.
QImage new_picture(QSize size, QRgb background, int scale);

// Fills `area` (a rectangle or path) with a gradient running from `from` to `to`.
void fill_gradient(QPainter& p, const QPainterPath& area, QPointF from, QPointF to,
                   GradientStops stops);
void fill_vertical(QPainter& p, const QRectF& area, GradientStops stops);
void fill_horizontal(QPainter& p, const QRectF& area, GradientStops stops);

// Tinted glass with a soft sky reflection; `reflection_origin` lines the diagonal streaks
// up across neighbouring panes.
void draw_glass(QPainter& p, const QRectF& pane, double reflection_origin = 0.0);

// A polished vertical pole or handrail.
void draw_pole(QPainter& p, const QRectF& pole);

}
