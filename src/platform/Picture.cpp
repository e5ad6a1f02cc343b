#include "platform/Picture.h"

#include <QPixmap>

namespace platform {

Picture::Picture(std::shared_ptr<const QPixmap> pixmap)
    : m_pixmap(pixmap && !pixmap->isNull() ? std::move(pixmap) : nullptr)
{
}

// In the program's pixels: a picture made for a 200 % screen counts at half its size.
int Picture::width_px() const { return m_pixmap ? qRound(m_pixmap->deviceIndependentSize().width()) : 0; }
int Picture::height_px() const { return m_pixmap ? qRound(m_pixmap->deviceIndependentSize().height()) : 0; }

std::string Picture::size_text() const
{
    return m_pixmap ? std::to_string(width_px()) + "x" + std::to_string(height_px()) : "None";
}

}
