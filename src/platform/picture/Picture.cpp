#include "platform/picture/Picture.h"
#include "platform/codec/PictureLimits.h"

#include "platform/codec/PictureSource.h"

#include <QPainter>
#include <QPixmap>

namespace platform {

namespace {
// A source picture up to this many pixels is made whole at its first drawing; a bigger one
// only the part that is shown.
}

struct Picture::State {
    std::shared_ptr<const QPixmap> whole;
    std::shared_ptr<const PictureSource> source;
    QSize size;
    // The last part made from the source, in the picture's pixels.
    QPixmap part;
    QRect part_area;

    bool small() const { return qint64(size.width()) * size.height() <= WholePicturePixels; }
    const QPixmap& part_covering(const QRect& area)
    {
        if (!part_area.contains(area)) {
            part_area = area;
            part = QPixmap::fromImage(source->render(area));
        }
        return part;
    }
};

Picture::Picture(std::shared_ptr<const QPixmap> pixmap)
{
    if (pixmap && !pixmap->isNull())
        m_state = std::make_shared<State>(State { pixmap, nullptr, pixmap->deviceIndependentSize().toSize(), {}, {} });
}

Picture::Picture(std::shared_ptr<const PictureSource> source)
{
    if (source && !source->size().isEmpty())
        m_state = std::make_shared<State>(State { nullptr, source, source->size(), {}, {} });
}

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
    if (!m_state->whole) {
        m_state->whole = std::make_shared<const QPixmap>(
            QPixmap::fromImage(m_state->source->render(QRect(QPoint(0, 0), m_state->size))));
        m_state->source.reset(); // the whole picture is all that is drawn from now on
        m_state->part = QPixmap();
    }
    return m_state->whole.get();
}

void Picture::draw(QPainter& painter, const QPoint& at) const
{
    if (!m_state)
        return;
    if (m_state->whole || m_state->small()) {
        pixmap();
        painter.drawPixmap(at, *m_state->whole);
        return;
    }
    const QRect device(0, 0, painter.device()->width(), painter.device()->height());
    const QRect shown = painter.transform().inverted().mapRect(device).intersected(QRect(at, m_state->size));
    if (shown.isEmpty())
        return;
    const QRect area = shown.translated(-at);
    const QPixmap& part = m_state->part_covering(area);
    painter.drawPixmap(shown.topLeft(), part, area.translated(-m_state->part_area.topLeft()));
}

}
