#include "platform/forms/controls/Image.h"

#include "platform/forms/AnimationPlayer.h"
#include "platform/forms/Container.h"
#include "platform/system/Trace.h"

#include <QPainter>
#include <QPixmap>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace platform {

Image::Image(Container& container, std::string name, const Design& design)
    : LightweightControl(container, std::move(name), design.rect), m_stretch(design.stretch),
      m_animation(std::make_unique<AnimationPlayer>(container.surface(), [this] { return visible(); },
                                                    [this] { invalidate(); }))
{
    set_visible(design.visible);
}

Image::~Image() = default;

void Image::set_picture(const Picture& picture)
{
    trace::record_property(display_name(), "Picture", picture.size_text());
    m_picture = picture;
    m_stretched.clear();
    m_animation->play(m_stretch ? Picture() : picture);
    invalidate();
    if (!m_stretch && !picture.empty())
        move(left(), top(), to_twips(picture.width_px()), to_twips(picture.height_px()));
}

namespace {
constexpr std::size_t MostStretchedSizes = 256; // a door has 74 widths
}

// Stretched to the screen's own pixels without smoothing, as pictures are shown at 200 %;
// a picture already of that size is drawn as it is. Each size is made once and kept, so a
// door frame only draws.
const QPixmap& Image::stretched_to(const QSize& pixels) const
{
    const QPixmap& original = *m_picture.pixmap();
    if (original.size() == pixels)
        return original;
    const std::pair key { pixels.width(), pixels.height() };
    if (const auto found = m_stretched.find(key); found != m_stretched.end())
        return *found->second;
    if (m_stretched.size() >= MostStretchedSizes)
        m_stretched.clear();
    auto stretched = std::make_shared<const QPixmap>(original.scaled(pixels, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    return *m_stretched.emplace(key, std::move(stretched)).first->second;
}

void Image::prepare_widths(float narrowest, float widest) const
{
    if (!m_stretch || m_picture.empty())
        return;
    const qreal ratio = container().surface().devicePixelRatioF();
    const int height = qRound(pixel_rect().height() * ratio);
    // Every width a door's edges can round to, whichever edge stays put.
    const int last = static_cast<int>(std::ceil(widest / TwipsPerPixel));
    for (int width = std::max(1, static_cast<int>(narrowest / TwipsPerPixel)); width <= last; ++width)
        stretched_to(QSize(qRound(width * ratio), height));
}

void Image::paint(QPainter& painter) const
{
    if (m_picture.empty())
        return;
    if (m_stretch) {
        const QRect place = pixel_rect();
        painter.drawPixmap(place, stretched_to(place.size() * painter.device()->devicePixelRatio()));
    } else if (!m_animation->draw(painter, pixel_rect().topLeft())) {
        m_picture.draw(painter, pixel_rect().topLeft());
    }
}

}
