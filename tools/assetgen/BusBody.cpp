#include "BusBody.h"

#include "DoorPictures.h"
#include "Fonts.h"
#include "Layout.h"
#include "Painting.h"

#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace assetgen {
namespace {

using namespace layout;

struct Span {
    double left, right;
};

// Window bays between the doorways and behind the middle one.
constexpr Span kWindowBays[] = {{99, 149}, {153, 200}, {394, 462}, {466, 534}, {538, 606}, {610, 648}};
// The bay under the side destination sign keeps only a short pane beneath the sign box.
constexpr Span kSignBay{204, 272};
constexpr double kSignBayGlassTop = 76.0;
constexpr int kSignBoxMargin = 3;

void draw_scenery(QPainter& p)
{
    fill_vertical(p, QRectF(0, 0, kBody.width(), kRoadTop),
                  {{0.0, qRgb(0xc6, 0xdf, 0xf0)}, {0.7, qRgb(0xe4, 0xef, 0xf6)}, {1.0, qRgb(0xf0, 0xf3, 0xf2)}});
    fill_vertical(p, QRectF(0, kRoadTop, kBody.width(), kBody.height() - kRoadTop),
                  {{0.0, qRgb(0x9a, 0x9d, 0xa0)}, {1.0, qRgb(0x7a, 0x7d, 0x81)}});
    p.fillRect(QRectF(0, kRoadTop, kBody.width(), 1), QColor(0xc8, 0xcb, 0xcd));
    // The shade under the floor, darkest right beneath the bus.
    QPainterPath shade;
    shade.addRoundedRect(QRectF(6, kBodyBottom - 6, kBodyRight - 4, kBody.height() - kBodyBottom + 2), 6, 6);
    fill_gradient(p, shade, QPointF(0, kBodyBottom - 6), QPointF(0, kBody.height()),
                  {{0.0, qRgb(0x2c, 0x2e, 0x31)}, {0.55, qRgb(0x3e, 0x41, 0x44)}, {1.0, qRgba(0x5a, 0x5d, 0x60, 0)}});
}

void draw_roof_unit(QPainter& p)
{
    QPainterPath housing;
    housing.addRoundedRect(QRectF(232, 3, 196, kRoofTop + 4 - 3), 5, 5);
    fill_gradient(p, housing, QPointF(0, 3), QPointF(0, kRoofTop + 4),
                  {{0.0, qRgb(0xf6, 0xf6, 0xf3)}, {0.6, qRgb(0xd9, 0xdb, 0xd8)}, {1.0, qRgb(0xb4, 0xb7, 0xb5)}});
    for (double x = 252; x < 412; x += 8)
        p.fillRect(QRectF(x, 6, 4, 3), QColor(0x9a, 0x9e, 0x9f));
}

QPainterPath body_outline()
{
    const double top = kRoofTop;
    const double front_radius = 18.0;
    const double rear_radius = 14.0;
    QPainterPath outline;
    outline.moveTo(kBodyLeft, kBodyBottom - 3);
    outline.lineTo(kBodyLeft, top + front_radius);
    outline.quadTo(kBodyLeft, top, kBodyLeft + front_radius, top);
    outline.lineTo(kBodyRight - rear_radius, top);
    outline.quadTo(kBodyRight, top, kBodyRight, top + rear_radius);
    outline.lineTo(kBodyRight, kBodyBottom - 3);
    outline.quadTo(kBodyRight, kBodyBottom, kBodyRight - 3, kBodyBottom);
    outline.lineTo(kBodyLeft + 3, kBodyBottom);
    outline.quadTo(kBodyLeft, kBodyBottom, kBodyLeft, kBodyBottom - 3);
    return outline;
}

void draw_livery(QPainter& p)
{
    const double width = kBody.width();
    // Roof shoulder: the top curves away from the light, then a bright crest.
    fill_vertical(p, QRectF(0, kRoofTop, width, 9),
                  {{0.0, qRgb(0xd8, 0xd3, 0xc4)}, {0.35, colour::kBodyLight}, {1.0, colour::kBodyCream}});
    fill_vertical(p, QRectF(0, kWindowTop - 7, width, 3), {{0.0, colour::kBand}, {1.0, colour::kBandDark}});

    p.fillRect(QRectF(0, kPinstripeTop, width, 2), QColor::fromRgb(colour::kPinstripe));
    fill_vertical(p, QRectF(0, kBandTop, width, kBandBottom - kBandTop),
                  {{0.0, colour::kBand}, {1.0, colour::kBandDark}});
    // Polka dots along the band, in rows offset like a dress fabric.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xff, 0xff, 46));
    for (int row = 0; row < 3; ++row) {
        const double y = kBandTop + 4.5 + row * 7.0;
        for (double x = 4.0 + (row % 2) * 6.0; x < width; x += 12.0)
            p.drawEllipse(QPointF(x, y), 1.8, 1.8);
    }

    const QRectF skirt(0, kSkirtTop, width, kBodyBottom - kSkirtTop);
    fill_vertical(p, skirt, {{0.0, qRgb(0x52, 0x55, 0x59)}, {0.15, qRgb(0x2e, 0x31, 0x34)},
                             {1.0, qRgb(0x1a, 0x1b, 0x1d)}});
}

void draw_body(QPainter& p)
{
    const QPainterPath outline = body_outline();
    fill_gradient(p, outline, QPointF(0, kRoofTop), QPointF(0, kBodyBottom),
                  {{0.0, colour::kBodyCream}, {0.5, colour::kBodyCream}, {1.0, colour::kBodyShade}});
    p.save();
    p.setClipPath(outline);
    draw_livery(p);
    p.restore();
}

void draw_lettering(QPainter& p)
{
    QFont font = lettering_font(15);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    p.setFont(font);
    p.setPen(QColor::fromRgb(colour::kBandDark));
    p.drawText(QRectF(100, 114, 100, 22), Qt::AlignCenter, QString::fromUtf8("ポルカ号"));
}

// Rubber-mounted pane with seat backs showing through the tint.
void draw_window(QPainter& p, const QRectF& frame, bool with_vent)
{
    QPainterPath rubber;
    rubber.addRoundedRect(frame, 4, 4);
    p.fillPath(rubber, QColor::fromRgb(colour::kRubber));
    const QRectF pane = frame.adjusted(2, 2, -2, -2);
    draw_glass(p, pane);
    p.save();
    p.setClipRect(pane);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x10, 0x1c, 0x26, 120));
    for (double x = pane.left() + 3; x < pane.right(); x += 26)
        p.drawRoundedRect(QRectF(x, pane.bottom() - 16, 17, 24), 5, 5);
    p.restore();
    if (with_vent) {
        const double y = pane.top() + std::round(pane.height() * 0.26);
        p.fillRect(QRectF(pane.left(), y, pane.width(), 2), QColor::fromRgb(colour::kRubber));
        p.fillRect(QRectF(pane.left(), y + 2, pane.width(), 1), QColor(0x8a, 0x93, 0x9a));
    }
}

void draw_windows(QPainter& p)
{
    for (const Span& bay : kWindowBays)
        draw_window(p, QRectF(bay.left, kWindowTop, bay.right - bay.left, kWindowBottom - kWindowTop), true);
    draw_window(p, QRectF(kSignBay.left, kSignBayGlassTop, kSignBay.right - kSignBay.left,
                          kWindowBottom - kSignBayGlassTop), false);
}

// A recessed black box for the destination sign: shadowed on the lit side, a bright lip below.
void draw_sign_box(QPainter& p)
{
    const QRectF box = QRectF(kDestinationSign).adjusted(-kSignBoxMargin, -kSignBoxMargin, kSignBoxMargin, kSignBoxMargin);
    p.fillRect(box.adjusted(-1, -1, 1, 1), QColor(0x9c, 0xa0, 0xa3));
    p.fillRect(box.adjusted(-1, -1, 0, 0), QColor(0x5c, 0x60, 0x64));
    p.fillRect(box, QColor::fromRgb(colour::kSignBlack));
    p.fillRect(QRectF(box.left(), box.top(), box.width(), 1), QColor(0, 0, 0));
}

void draw_doorways(QPainter& p)
{
    for (const QRect& doorway : {kFrontDoorway, kMiddleDoorway}) {
        const QRectF opening(doorway);
        p.fillRect(opening.adjusted(-2, -2, 2, 0), QColor::fromRgb(colour::kBodyShade));
        p.fillRect(opening.adjusted(-1, -1, 1, 0), QColor::fromRgb(colour::kRubber));
    }
    draw_doorway(p, QRectF(kFrontDoorway), {1, {0.86}});
    draw_doorway(p, QRectF(kMiddleDoorway), {1, {0.9}});
}

void draw_bumper(QPainter& p, const QRectF& area)
{
    QPainterPath bumper;
    bumper.addRoundedRect(area, 4, 4);
    fill_gradient(p, bumper, area.topLeft(), area.bottomLeft(),
                  {{0.0, qRgb(0x6a, 0x6e, 0x72)}, {0.2, qRgb(0x3c, 0x3f, 0x43)}, {1.0, qRgb(0x1c, 0x1d, 0x1f)}});
}

void draw_front_end(QPainter& p)
{
    p.save();
    p.setClipPath(body_outline());
    // The wrap-round windscreen seen edge-on, the front destination sign behind its top.
    QPainterPath surround;
    surround.addRoundedRect(QRectF(-10, 19, 24, 110), 5, 5);
    p.fillPath(surround, QColor::fromRgb(colour::kRubber));
    draw_glass(p, QRectF(-10, 33, 22, 94), -60);
    p.fillRect(QRectF(-10, 21, 22, 10), QColor::fromRgb(colour::kSignBlack));
    p.fillRect(QRectF(1, 25, 8, 2), QColor(0xf2, 0x9e, 0x38, 150));

    // Headlamp in a chrome bezel, indicator above it.
    QPainterPath bezel;
    bezel.addRoundedRect(QRectF(-6, 157, 15, 11), 3, 3);
    p.fillPath(bezel, QColor(0x8c, 0x92, 0x98));
    QRadialGradient lens(QPointF(1, 161), 8);
    lens.setColorAt(0.0, QColor(0xff, 0xfd, 0xf2));
    lens.setColorAt(0.7, QColor(0xdc, 0xdd, 0xd4));
    lens.setColorAt(1.0, QColor(0xa4, 0xa8, 0xa8));
    QPainterPath glass;
    glass.addRoundedRect(QRectF(-6, 158, 14, 9), 2.5, 2.5);
    p.fillPath(glass, lens);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf5, 0xa2, 0x2a));
    p.drawRoundedRect(QRectF(-4, 140, 12, 5), 2, 2);
    p.restore();
    draw_bumper(p, QRectF(-6, 178, 24, kBodyBottom - 178 + 1));
}

// Slatted air intake for the engine, set into a shallow recess.
void draw_engine_intake(QPainter& p)
{
    const QRectF recess(604, 112, 44, 30);
    p.fillRect(recess.adjusted(-1, -1, 1, 1), QColor::fromRgb(colour::kBodyShade));
    p.fillRect(recess, QColor(0x4a, 0x4e, 0x52));
    for (double y = recess.top() + 1; y < recess.bottom() - 1; y += 4)
        fill_vertical(p, QRectF(recess.left() + 1, y, recess.width() - 2, 3),
                      {{0.0, qRgb(0xd8, 0xd6, 0xcc)}, {1.0, qRgb(0x8e, 0x90, 0x8c)}});
}

void draw_rear_end(QPainter& p)
{
    p.save();
    p.setClipPath(body_outline());
    const double lamp_left = kBodyRight - 6;
    QPainterPath cluster;
    cluster.addRoundedRect(QRectF(lamp_left, 138, 12, 40), 3, 3);
    p.fillPath(cluster, QColor::fromRgb(colour::kRubber));
    fill_vertical(p, QRectF(lamp_left + 1, 139, 6, 20),
                  {{0.0, qRgb(0xff, 0x5a, 0x4a)}, {1.0, qRgb(0xa8, 0x18, 0x14)}});
    fill_vertical(p, QRectF(lamp_left + 1, 161, 6, 8), {{0.0, qRgb(0xff, 0xb8, 0x40)}, {1.0, qRgb(0xd0, 0x78, 0x10)}});
    p.fillRect(QRectF(lamp_left + 1, 171, 6, 6), QColor(0xf2, 0xf2, 0xee));
    p.restore();
    draw_engine_intake(p);
    draw_bumper(p, QRectF(642, 180, kBodyRight - 642 + 1, kBodyBottom - 180 + 1));
}

void draw_side_markers(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf5, 0xa2, 0x2a));
    for (double x : {236.0, 430.0, 590.0})
        p.drawRoundedRect(QRectF(x, kSkirtTop - 4, 7, 3), 1, 1);
}

void draw_wheel(QPainter& p, double centre_x)
{
    const QPointF centre(centre_x, kWheelCentreY);
    // The arch: a dark hollow with a rubber lip following it.
    QPainterPath arch;
    arch.addEllipse(QPointF(centre_x, kWheelCentreY + 2), 31, 31);
    QPainterPath body;
    body.addRect(QRectF(0, 0, kBody.width(), kBodyBottom));
    p.fillPath(arch.intersected(body), QColor::fromRgb(colour::kArch));
    p.save();
    p.setClipRect(QRectF(0, 0, kBody.width(), kBodyBottom));
    p.setPen(QPen(QColor(0x3c, 0x3f, 0x42), 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(centre_x, kWheelCentreY + 2), 31, 31);
    p.restore();

    const double tyre_radius = kRoadTop + 5 - kWheelCentreY;
    QRadialGradient tyre(centre, tyre_radius);
    tyre.setColorAt(0.6, QColor(0x34, 0x36, 0x39));
    tyre.setColorAt(0.85, QColor::fromRgb(colour::kTyre));
    tyre.setColorAt(1.0, QColor(0x0e, 0x0f, 0x10));
    p.setPen(Qt::NoPen);
    p.setBrush(tyre);
    p.drawEllipse(centre, tyre_radius, tyre_radius);

    QRadialGradient rim(centre + QPointF(-4, -4), 18);
    rim.setColorAt(0.0, QColor(0xf4, 0xf6, 0xf7));
    rim.setColorAt(0.7, QColor(0xb9, 0xbf, 0xc4));
    rim.setColorAt(1.0, QColor(0x7d, 0x84, 0x8a));
    p.setBrush(rim);
    p.drawEllipse(centre, 14, 14);
    p.setBrush(QColor(0x8a, 0x91, 0x97));
    p.drawEllipse(centre, 6.5, 6.5);
    p.setBrush(QColor(0x5a, 0x60, 0x66));
    for (int i = 0; i < 8; ++i) {
        const double angle = i * std::numbers::pi / 4.0;
        p.drawEllipse(centre + QPointF(9.5 * std::cos(angle), 9.5 * std::sin(angle)), 1.3, 1.3);
    }
    // The arch shades the top of the wheel.
    QPainterPath wheel;
    wheel.addEllipse(centre, tyre_radius, tyre_radius);
    fill_gradient(p, wheel, QPointF(0, kWheelCentreY - tyre_radius), QPointF(0, kWheelCentreY),
                  {{0.0, qRgba(0, 0, 0, 130)}, {1.0, qRgba(0, 0, 0, 0)}});
}

}

QImage bus_body_picture(int scale)
{
    QImage image = new_picture(kBody, colour::kBodyCream, scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    draw_scenery(p);
    draw_roof_unit(p);
    draw_body(p);
    draw_lettering(p);
    draw_windows(p);
    draw_sign_box(p);
    draw_doorways(p);
    draw_front_end(p);
    draw_rear_end(p);
    draw_side_markers(p);
    draw_wheel(p, kFrontWheelX);
    draw_wheel(p, kRearWheelX);
    return image;
}

}
