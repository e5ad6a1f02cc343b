#include "platform/forms/controls/Label.h"

#include "platform/forms/Container.h"
#include "platform/forms/Cursors.h"
#include "platform/forms/PointerZone.h"

#include <QPainter>

namespace platform {

Label::Label(Container& container, std::string name, const Design& design)
    : LightweightControl(container, std::move(name), design.rect), m_caption(design.caption),
      m_back_color(design.back_color), m_fore_color(design.fore_color), m_font(design.font)
{
    if (design.mouse_icon.empty())
        return;
    m_pointer_zone = new PointerZone(container, asset_cursor(design.mouse_icon));
    place_pointer_zone();
}

void Label::place_pointer_zone()
{
    if (!m_pointer_zone)
        return;
    m_pointer_zone->setGeometry(pixel_rect());
    m_pointer_zone->setVisible(visible());
}

void Label::geometry_changed(const QRect& old_pixels)
{
    LightweightControl::geometry_changed(old_pixels);
    place_pointer_zone();
}

void Label::visibility_changed()
{
    LightweightControl::visibility_changed();
    place_pointer_zone();
}

void Label::set_caption(const std::string& caption)
{
    if (m_caption == caption)
        return;
    m_caption = caption;
    invalidate();
}

void Label::paint(QPainter& painter) const
{
    const QRect rect = pixel_rect();
    painter.fillRect(rect, to_qcolor(m_back_color));
    painter.setPen(to_qcolor(m_fore_color));
    painter.setFont(to_qfont(m_font));
    painter.setClipRect(rect);
    painter.drawText(rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, QString::fromStdString(m_caption));
}

}
