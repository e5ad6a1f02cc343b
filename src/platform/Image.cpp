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
    m_stretched.reset();
    invalidate();
    if (!m_stretch && !picture.empty())
        move(left(), top(), to_twips(picture.width_px()), to_twips(picture.height_px()));
}

const QPixmap& Image::stretched_to(const QSize& size) const
{
    if (!m_stretched || m_stretched->size() != size)
        m_stretched = std::make_shared<QPixmap>(
            m_picture.pixmap()->scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    return *m_stretched;
}

void Image::paint(QPainter& painter) const
{
    if (m_picture.empty())
        return;
    if (m_stretch) {
        const QRect place = pixel_rect();
        painter.drawPixmap(place.topLeft(), stretched_to(place.size()));
    } else {
        m_picture.draw(painter, pixel_rect().topLeft());
    }
}

}
