#include "platform/picture/Picture.h"
#include "platform/codec/PictureLimits.h"

#include "platform/codec/PictureSource.h"

#include <QPainter>
#include <QPixmap>

namespace platform {

struct Picture::State {
    std::shared_ptr<const QPixmap> whole;
    std::shared_ptr<const PictureSource> source;
    std::shared_ptr<const Animation> animation;
    QSize size;
    // The last part made from the source, in the picture's pixels.
    QPixmap part;
    QRect part_area;

    bool small() const { return qint64(size.width()) * size.height() <= WholePicturePixels; }
    // A drawing is made again for a screen of another scale; anything else once, at its own pixels.
    qreal scale_for(const QPainter& painter) const
    {
        return source && source->scalable() ? painter.device()->devicePixelRatioF() : 1.0;
    }
    const QPixmap& whole_at(qreal scale)
    {
        if (!whole || (source && whole->devicePixelRatio() != scale)) {
            whole = std::make_shared<const QPixmap>(
                QPixmap::fromImage(source->render_at(QRect(QPoint(0, 0), size), scale)));
            part = QPixmap();
            if (!source->scalable())
                source.reset(); // the whole picture is all that is drawn from now on
        }
        return *whole;
    }
    const QPixmap& part_covering(const QRect& area, qreal scale)
    {
        if (!part_area.contains(area) || part.devicePixelRatio() != scale) {
            part_area = area;
            part = QPixmap::fromImage(source->render_at(area, scale));
        }
        return part;
    }
};

Picture::Picture(std::shared_ptr<const QPixmap> pixmap)
{
    if (pixmap && !pixmap->isNull())
        m_state = std::make_shared<State>(State { pixmap, nullptr, nullptr, pixmap->deviceIndependentSize().toSize(), {}, {} });
}

Picture::Picture(std::shared_ptr<const PictureSource> source, std::shared_ptr<const Animation> animation)
{
    if (source && !source->size().isEmpty())
        m_state = std::make_shared<State>(State { nullptr, source, std::move(animation), source->size(), {}, {} });
}

std::shared_ptr<const Animation> Picture::animation() const { return m_state ? m_state->animation : nullptr; }

// In the program's pixels: a picture made for a 200 % screen counts at half its size.
int Picture::width_px() const { return m_state ? m_state->size.width() : 0; }
int Picture::height_px() const { return m_state ? m_state->size.height() : 0; }

std::string Picture::size_text() const
{
    return m_state ? std::to_string(width_px()) + "x" + std::to_string(height_px()) : "None";
}

const QPixmap* Picture::pixmap() const
{
    if (!m_state)
        return nullptr;
    if (m_state->whole)
        return m_state->whole.get();
    return &m_state->whole_at(1.0);
}

bool Picture::hides(const QRect& area, const QPoint& at) const
{
    return m_state && m_state->whole && !m_state->source && !m_state->animation
        && !m_state->whole->hasAlphaChannel() && QRect(at, m_state->size).contains(area);
}

void Picture::draw(QPainter& painter, const QPoint& at) const
{
    if (!m_state)
        return;
    const qreal scale = m_state->scale_for(painter);
    if ((m_state->whole && !m_state->source) || m_state->small()) {
        painter.drawPixmap(at, m_state->whole_at(scale));
        return;
    }
    const QRect device(0, 0, painter.device()->width(), painter.device()->height());
    const QRect shown = painter.transform().inverted().mapRect(device).intersected(QRect(at, m_state->size));
    if (shown.isEmpty())
        return;
    const QRect area = shown.translated(-at);
    const QPixmap& part = m_state->part_covering(area, scale);
    const QRectF from(QPointF(area.topLeft() - m_state->part_area.topLeft()) * scale, QSizeF(area.size()) * scale);
    painter.drawPixmap(QRectF(shown), part, from);
}

}
