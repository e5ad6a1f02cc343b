#include "platform/Image.h"

#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <cmath>

namespace platform {

Image::Image(Container& container, std::string name, const Design& design)
    : LightweightControl(container, std::move(name), design.rect), m_stretch(design.stretch)
{
    set_visible(design.visible);
}

void Image::set_picture(const Picture& picture)
{
    m_picture = picture;
    m_stretched.clear();
    invalidate();
    if (!m_stretch && !picture.empty())
        move(left(), top(), to_twips(picture.width_px()), to_twips(picture.height_px()));
}

namespace {
constexpr std::size_t MostStretchedSizes = 256; // a door has 74 widths
}

const QPixmap& Image::stretched_to(const QSize& size) const
{
    const std::pair key { size.width(), size.height() };
    if (const auto found = m_stretched.find(key); found != m_stretched.end())
        return *found->second;
    if (m_stretched.size() >= MostStretchedSizes)
        m_stretched.clear();
    auto stretched = std::make_shared<const QPixmap>(
        m_picture.pixmap()->scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    return *m_stretched.emplace(key, std::move(stretched)).first->second;
}

void Image::prepare_widths(float narrowest, float widest) const
{
    if (!m_stretch || m_picture.empty())
        return;
    const int height = pixel_rect().height();
    // Every width a door's edges can round to, whichever edge stays put.
    const int last = static_cast<int>(std::ceil(widest / TwipsPerPixel));
    for (int width = std::max(1, static_cast<int>(narrowest / TwipsPerPixel)); width <= last; ++width)
        stretched_to(QSize(width, height));
}

void Image::paint(QPainter& painter) const
{
    const QPixmap* pixmap = m_picture.pixmap();
    if (!pixmap)
        return;
    if (m_stretch) {
        const QRect place = pixel_rect();
        painter.drawPixmap(place.topLeft(), stretched_to(place.size()));
    } else {
        painter.drawPixmap(pixel_rect().topLeft(), *pixmap);
    }
}

}
