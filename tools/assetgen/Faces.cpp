#include "Faces.h"

#include "Fonts.h"
#include "Painting.h"

#include <QPainterPath>

#include <cmath>

namespace assetgen {

QImage blank_sign_picture(int scale)
{
    QImage image = new_picture(QSize(52, 32), qRgb(0xa8, 0xac, 0xb0), scale);
    QPainter p(&image);
    const QRectF face(0, 0, 52, 32);
    fill_vertical(p, face, {{0.0, qRgb(0xbd, 0xc1, 0xc4)}, {1.0, qRgb(0x9c, 0xa0, 0xa4)}});
    // The sign's own bezel: lit from above, shaded below.
    p.fillRect(QRectF(0, 0, 52, 1), QColor(0xd8, 0xdb, 0xdd));
    p.fillRect(QRectF(0, 0, 1, 32), QColor(0xcc, 0xcf, 0xd2));
    p.fillRect(QRectF(0, 31, 52, 1), QColor(0x74, 0x78, 0x7c));
    p.fillRect(QRectF(51, 0, 1, 32), QColor(0x80, 0x84, 0x88));
    return image;
}

QImage switch_face_picture(const QString& label, int scale)
{
    QImage image = new_picture(QSize(50, 20), colour::kSwitchYellow, scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    fill_vertical(p, QRectF(0, 0, 50, 20),
                  {{0.0, qRgb(0xfb, 0xe2, 0x52)}, {0.5, colour::kSwitchYellow}, {1.0, qRgb(0xe4, 0xbc, 0x10)}});

    // Outlined glyphs fill and stroke together, which gives the bold weight the font lacks.
    QPainterPath text;
    text.addText(0, 0, lettering_font(14), label);
    const QRectF bounds = text.boundingRect();
    text.translate(std::round(25.0 - bounds.center().x()), std::round(10.0 - bounds.center().y()));
    p.setPen(QPen(Qt::black, 0.7));
    p.setBrush(Qt::black);
    p.drawPath(text);
    return image;
}

}
