#pragma once
// Where a lightweight control shows a mouse pointer of its own: a child of its container's
// surface over the control, beneath the windowed controls and drawing nothing, so that the
// window system switches the pointer exactly over the control. Its mouse events go on to the
// container as if they had reached the surface.
#include <QWidget>

namespace platform {

class Container;

class PointerZone : public QWidget {
public:
    PointerZone(Container& container, const QCursor& cursor);

protected:
    bool event(QEvent* event) override;

private:
    Container& m_container;
};

}
