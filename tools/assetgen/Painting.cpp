#include "Painting.h"

#include <QLinearGradient>
#include <QPainterPath>

#include <cmath>
#include <tuple>

namespace assetgen {

QImage new_picture(QSize size, QRgb background, int scale)
{
    QImage image(size * scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(background);
    return image;
}

void fill_gradient(QPainter& p, const QPainterPath& area, QPointF from, QPointF to,
                   GradientStops stops)
{
    QLinearGradient gradient(from, to);
    for (const auto& [at, rgb] : stops)
        gradient.setColorAt(at, QColor::fromRgba(rgb));
    p.fillPath(area, gradient);
}

void fill_vertical(QPainter& p, const QRectF& area, GradientStops stops)
{
    QPainterPath path;
    path.addRect(area);
    fill_gradient(p, path, area.topLeft(), area.bottomLeft(), stops);
}

void fill_horizontal(QPainter& p, const QRectF& area, GradientStops stops)
{
    QPainterPath path;
    path.addRect(area);
    fill_gradient(p, path, area.topLeft(), area.topRight(), stops);
}

void draw_glass(QPainter& p, const QRectF& pane, double reflection_origin)
{
    fill_vertical(p, pane, {{0.0, colour::kGlassTop}, {1.0, colour::kGlassBottom}});
    p.save();
    p.setClipRect(pane);
    // Two parallel streaks leaning right, repeating every 150 px along the bus.
    const double slant = pane.height() * 0.6;
    const double first =
        reflection_origin + 150.0 * std::floor((pane.left() - slant - 60.0 - reflection_origin) / 150.0);
    for (double x = first; x < pane.right() + slant; x += 150.0) {
        for (const auto& [offset, width, alpha] : {std::tuple{0.0, 22.0, 34}, {30.0, 7.0, 26}}) {
            QPainterPath streak;
            const double left = x + offset;
            streak.moveTo(left + slant, pane.top());
            streak.lineTo(left + slant + width, pane.top());
            streak.lineTo(left + width, pane.bottom());
            streak.lineTo(left, pane.bottom());
            p.fillPath(streak, QColor(255, 255, 255, alpha));
        }
    }
    p.restore();
    // A faint bright lip where the top edge catches the light.
    p.fillRect(QRectF(pane.left(), pane.top(), pane.width(), 1.0), QColor(255, 255, 255, 30));
}

void draw_pole(QPainter& p, const QRectF& pole)
{
    fill_horizontal(p, pole,
                    {{0.0, qRgb(0x6c, 0x73, 0x7a)}, {0.35, qRgb(0xee, 0xf1, 0xf3)},
                     {0.6, qRgb(0xb4, 0xbb, 0xc1)}, {1.0, qRgb(0x55, 0x5b, 0x61)}});
}

}
