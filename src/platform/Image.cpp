#include "platform/Image.h"

#include <QPainter>
#include <QPixmap>

namespace platform {

Image::Image(Container& container, std::string name, const Design& design)
    : LightweightControl(container, std::move(name), design.rect), m_stretch(design.stretch)
{
    set_visible(design.visible);
}

void Image::set_picture(const Picture& picture)
{
    m_picture = picture;
    invalidate();
    if (!m_stretch && !picture.empty())
        move(left(), top(), to_twips(picture.width_px()), to_twips(picture.height_px()));
}

void Image::paint(QPainter& painter) const
{
    const QPixmap* pixmap = m_picture.pixmap();
    if (!pixmap)
        return;
    if (m_stretch) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(pixel_rect(), *pixmap);
    } else {
        painter.drawPixmap(pixel_rect().topLeft(), *pixmap);
    }
}

}
