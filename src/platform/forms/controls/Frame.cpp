#include "platform/forms/controls/Frame.h"

#include "platform/forms/SurfaceWidget.h"
#include <QPainter>

namespace platform {

Frame::Frame(Container& container, std::string name, const Design& design)
    : WindowedControl(container, name, design.rect, new SurfaceWidget(&container.surface()), design.tab_index),
      Container(&widget(), design.back_color), m_caption(design.caption), m_font(design.font)
{
    auto& surface = static_cast<SurfaceWidget&>(widget());
    surface.set_owner(this);
    surface.setObjectName(QString::fromStdString(name));
}

void Frame::paint_surface(QPainter& painter, const QRect& dirty)
{
    Container::paint_surface(painter, dirty);
    const QFont font = to_qfont(m_font);
    const int text_half = QFontMetrics(font).height() / 2;
    // An etched line around the frame, broken by the caption at the top left.
    QRect box = widget().rect().adjusted(0, m_caption.empty() ? 0 : text_half, -2, -2);
    painter.setPen(QColor(128, 128, 128));
    painter.drawRect(box);
    painter.setPen(Qt::white);
    painter.drawRect(box.translated(1, 1));
    if (m_caption.empty())
        return;
    painter.setFont(font);
    const QString caption = QString::fromStdString(m_caption);
    const QRect text(6, 0, QFontMetrics(font).horizontalAdvance(caption) + 4, QFontMetrics(font).height());
    painter.fillRect(text, to_qcolor(back_color()));
    painter.setPen(widget().isEnabled() ? Qt::black : QColor(128, 128, 128));
    painter.drawText(text, Qt::AlignCenter, caption);
}

}
