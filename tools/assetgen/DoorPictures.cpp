#include "DoorPictures.h"

#include "Layout.h"
#include "Painting.h"

#include <QPainterPath>

namespace assetgen {
namespace {

constexpr double kRubberWidth = 3.0;

// The livery band and pinstripe at the body's rows, so a closed door continues the sides.
void draw_band(QPainter& p, const QRectF& panel, int body_top)
{
    const double pinstripe = layout::kPinstripeTop - body_top;
    const double band_top = layout::kBandTop - body_top;
    const double band_bottom = layout::kBandBottom - body_top;
    p.fillRect(QRectF(panel.left(), pinstripe, panel.width(), 2.0), QColor::fromRgb(colour::kPinstripe));
    fill_vertical(p, QRectF(panel.left(), band_top, panel.width(), band_bottom - band_top),
                  {{0.0, colour::kBand}, {1.0, colour::kBandDark}});
}

void draw_panel(QPainter& p, const QRectF& panel, const DoorLook& look)
{
    // The frame is body-coloured, rounded a little towards its edges.
    fill_horizontal(p, panel,
                    {{0.0, colour::kBodyLight}, {0.5, colour::kBodyCream}, {1.0, colour::kBodyShade}});
    draw_band(p, panel, look.body_top);

    const double side = panel.width() > 30.0 ? 4.0 : 3.0;
    const double glass_bottom = layout::kDoorGlassBottom - look.body_top;
    const QRectF gasket(panel.left() + side, 6.0, panel.width() - 2.0 * side, glass_bottom - 6.0);
    QPainterPath rounded;
    rounded.addRoundedRect(gasket, 2.5, 2.5);
    p.fillPath(rounded, QColor::fromRgb(colour::kRubber));
    draw_glass(p, gasket.adjusted(1.0, 1.0, -1.0, -1.0), 20.0);

    // Shadow under the header and a kick plate at the foot.
    fill_vertical(p, QRectF(panel.left(), 0.0, panel.width(), 3.0),
                  {{0.0, qRgba(0, 0, 0, 70)}, {1.0, qRgba(0, 0, 0, 0)}});
    const double foot = panel.bottom() - 6.0;
    fill_vertical(p, QRectF(panel.left() + 1.0, foot, panel.width() - 2.0, 5.0),
                  {{0.0, qRgb(0xb9, 0xbd, 0xc1)}, {1.0, qRgb(0x7e, 0x83, 0x88)}});
}

void draw_rubber(QPainter& p, const QRectF& strip)
{
    fill_horizontal(p, strip, {{0.0, qRgb(0x3a, 0x3c, 0x3f)}, {0.4, colour::kRubber}, {1.0, qRgb(0x0a, 0x0a, 0x0b)}});
}

}

QImage door_picture(QSize size, const DoorLook& look, int scale)
{
    QImage image = new_picture(size, colour::kBodyCream, scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    QRectF leaf(0.0, 0.0, size.width(), size.height());
    if (look.rubber == RubberEdge::Left) {
        draw_rubber(p, QRectF(0.0, 0.0, kRubberWidth, size.height()));
        leaf.setLeft(kRubberWidth);
    } else if (look.rubber == RubberEdge::Right) {
        draw_rubber(p, QRectF(size.width() - kRubberWidth, 0.0, kRubberWidth, size.height()));
        leaf.setRight(size.width() - kRubberWidth);
    }

    const double panel_width = leaf.width() / look.panels;
    for (int i = 0; i < look.panels; ++i)
        draw_panel(p, QRectF(leaf.left() + i * panel_width, 0.0, panel_width, leaf.height()), look);
    // Thin dark seams where the panels fold against each other.
    for (int i = 1; i < look.panels; ++i)
        p.fillRect(QRectF(leaf.left() + i * panel_width - 0.5, 0.0, 1.0, leaf.height()),
                   QColor::fromRgb(colour::kRubber));
    return image;
}

namespace {

void draw_far_side(QPainter& p, const QRectF& area)
{
    const double h = area.height();
    const double top = area.top();
    // Ceiling with its lamp strip.
    fill_vertical(p, QRectF(area.left(), top, area.width(), 0.12 * h),
                  {{0.0, qRgb(0x14, 0x16, 0x19)}, {1.0, qRgb(0x30, 0x34, 0x39)}});
    p.fillRect(QRectF(area.left(), top + 0.05 * h, area.width(), 2.0), QColor(0xe6, 0xea, 0xe0, 150));
    // Windows on the far side, lit by the sky beyond, with their pillars.
    const QRectF windows(area.left(), top + 0.12 * h, area.width(), 0.34 * h);
    fill_vertical(p, windows, {{0.0, qRgb(0x8c, 0xa3, 0xb3)}, {1.0, qRgb(0xb6, 0xc7, 0xd2)}});
    for (double x = area.left() + 0.3 * area.width(); x < area.right(); x += 46.0)
        p.fillRect(QRectF(x, windows.top(), 4.0, windows.height()), QColor(0x3a, 0x3e, 0x44));
    // Wall and seat backs under the windows.
    const QRectF wall(area.left(), windows.bottom(), area.width(), 0.32 * h);
    fill_vertical(p, wall, {{0.0, qRgb(0x3a, 0x3f, 0x45)}, {1.0, colour::kInterior}});
    // A bench along the far wall: backs, then the cushions catching the light.
    const double cushion_top = wall.top() + wall.height() * 0.62;
    for (double x = area.left() + 6.0; x < area.right(); x += 30.0) {
        QPainterPath back;
        back.addRoundedRect(QRectF(x, wall.top() - 6.0, 20.0, cushion_top - wall.top() + 8.0), 4.0, 4.0);
        fill_gradient(p, back, QPointF(0.0, wall.top() - 6.0), QPointF(0.0, cushion_top),
                      {{0.0, qRgb(0x2f, 0x5c, 0x78)}, {1.0, qRgb(0x1b, 0x36, 0x48)}});
    }
    QPainterPath cushion;
    cushion.addRoundedRect(QRectF(area.left() - 4.0, cushion_top, area.width() + 8.0, 7.0), 3.0, 3.0);
    fill_gradient(p, cushion, QPointF(0.0, cushion_top), QPointF(0.0, cushion_top + 7.0),
                  {{0.0, qRgb(0x4a, 0x7c, 0x9a)}, {1.0, qRgb(0x23, 0x42, 0x55)}});
    fill_vertical(p, QRectF(area.left(), cushion_top + 7.0, area.width(), 6.0),
                  {{0.0, qRgba(0, 0, 0, 110)}, {1.0, qRgba(0, 0, 0, 0)}});
}

void draw_floor_and_steps(QPainter& p, const QRectF& area, int steps)
{
    const double step_height = 14.0;
    const double floor_top = area.bottom() - 8.0 - step_height * steps;
    fill_vertical(p, QRectF(area.left(), floor_top - 8.0, area.width(), 8.0),
                  {{0.0, qRgb(0x45, 0x49, 0x4e)}, {1.0, qRgb(0x5f, 0x63, 0x68)}});
    for (int i = 0; i < steps; ++i) {
        const double tread = floor_top + i * step_height;
        const double inset = 2.0 + 2.0 * (steps - 1 - i);
        const QRectF riser(area.left() + inset, tread, area.width() - 2.0 * inset, step_height);
        fill_vertical(p, riser, {{0.0, qRgb(0x75, 0x79, 0x7e)}, {0.25, qRgb(0x4a, 0x4e, 0x53)},
                                 {1.0, qRgb(0x30, 0x33, 0x37)}});
        // The yellow nosing every step edge carries.
        p.fillRect(QRectF(riser.left(), tread, riser.width(), 2.0), QColor::fromRgb(colour::kSafetyYellow));
    }
    // The kerb-level sill plate.
    const QRectF sill(area.left(), area.bottom() - 8.0, area.width(), 8.0);
    fill_vertical(p, sill, {{0.0, qRgb(0xc4, 0xc8, 0xcc)}, {0.3, qRgb(0x8d, 0x92, 0x97)},
                            {1.0, qRgb(0x4b, 0x4f, 0x54)}});
    p.fillRect(QRectF(sill.left(), sill.top(), sill.width(), 1.5), QColor::fromRgb(colour::kSafetyYellow));
}

// Depth: the doorway's sides and header throw shadow into the opening.
void draw_reveal_shadows(QPainter& p, const QRectF& area)
{
    const QRgb dark = qRgba(0, 0, 0, 120);
    const QRgb clear = qRgba(0, 0, 0, 0);
    fill_horizontal(p, QRectF(area.left(), area.top(), 7.0, area.height()), {{0.0, dark}, {1.0, clear}});
    fill_horizontal(p, QRectF(area.right() - 5.0, area.top(), 5.0, area.height()), {{0.0, clear}, {1.0, dark}});
    fill_vertical(p, QRectF(area.left(), area.top(), area.width(), 6.0), {{0.0, dark}, {1.0, clear}});
}

}

void draw_doorway(QPainter& p, const QRectF& area, const DoorwayLook& look)
{
    p.save();
    p.setClipRect(area);
    draw_far_side(p, area);
    draw_floor_and_steps(p, area, look.steps);
    for (double at : look.poles) {
        const double x = area.left() + at * area.width();
        draw_pole(p, QRectF(x - 2.0, area.top(), 4.0, area.height() - 8.0));
    }
    draw_reveal_shadows(p, area);
    p.restore();
}

QImage doorway_picture(QSize size, const DoorwayLook& look, int scale)
{
    QImage image = new_picture(size, colour::kInterior, scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    draw_doorway(p, QRectF(0.0, 0.0, size.width(), size.height()), look);
    return image;
}

}
