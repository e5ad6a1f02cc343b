#include "platform/Image.h"

#include "platform/Trace.h"

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
    trace::record_property(display_name(), "Picture", picture.size_text());
    m_picture = picture;
    m_stretched.reset();
    invalidate();
    if (!m_stretch && !picture.empty())
        move(left(), top(), to_twips(picture.width_px()), to_twips(picture.height_px()));
}

// Stretched to the screen's own pixels without smoothing, as pictures are shown at 200 %;
// a picture already of that size is drawn as it is.
const QPixmap& Image::stretched_to(const QSize& pixels) const
{
    const QPixmap& original = *m_picture.pixmap();
    if (original.size() == pixels)
        return original;
    if (!m_stretched || m_stretched->size() != pixels)
        m_stretched = std::make_shared<QPixmap>(original.scaled(pixels, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    return *m_stretched;
}

void Image::paint(QPainter& painter) const
{
    if (m_picture.empty())
        return;
    if (m_stretch) {
        const QRect place = pixel_rect();
        painter.drawPixmap(place, stretched_to(place.size() * painter.device()->devicePixelRatio()));
    } else {
        m_picture.draw(painter, pixel_rect().topLeft());
    }
}

}
