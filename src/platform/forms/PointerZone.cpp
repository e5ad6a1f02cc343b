#include "platform/forms/PointerZone.h"

#include "platform/forms/Container.h"

#include <QMouseEvent>

namespace platform {

PointerZone::PointerZone(Container& container, const QCursor& cursor)
    : QWidget(&container.surface()), m_container(container)
{
    setCursor(cursor);
    lower();
}

bool PointerZone::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
        const auto& mouse = static_cast<QMouseEvent&>(*event);
        QMouseEvent on_surface(mouse.type(), mouse.position() + pos(), mouse.scenePosition(), mouse.globalPosition(),
                               mouse.button(), mouse.buttons(), mouse.modifiers(), mouse.pointingDevice());
        m_container.surface_mouse(on_surface);
        return true;
    }
    default:
        return QWidget::event(event);
    }
}

}
