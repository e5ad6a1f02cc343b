#include "platform/forms/controls/Shape.h"

#include "platform/forms/Container.h"

#include <QPainter>

namespace platform {

Shape::Shape(Container& container, std::string name, const Design& design)
    : LightweightControl(container, std::move(name), design.rect), m_border_color(design.border_color),
      m_fill_color(design.fill_color)
{
    set_visible(design.visible);
}

void Shape::paint(QPainter& painter) const
{
    const QRect rect = pixel_rect();
    painter.fillRect(rect, to_qcolor(m_fill_color));
    painter.setPen(QPen(to_qcolor(m_border_color), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0, 0, -1, -1)); // the outline lies inside the shape
}

}
