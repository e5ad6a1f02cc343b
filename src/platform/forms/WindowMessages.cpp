#include "platform/forms/WindowMessages.h"

#include "platform/forms/Container.h"
#include "platform/forms/Form.h"
#include "platform/forms/HandlerScope.h"
#include "platform/forms/SurfaceWidget.h"
#include "platform/forms/WindowHandles.h"
#include "platform/forms/Windowed.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

namespace platform {

namespace {

// The window system's move loop for a child window, which X11 lacks: the control follows
// the mouse by its displacement until the left button is released. The mouse position is
// confined to the main window's client area, as the window system confines it, so the
// control can end partly out of view but never out of reach. Its size never changes. Escape
// puts the control back where it was and ends the loop, as the window system's own does.
class MoveLoop : public QObject {
public:
    explicit MoveLoop(WindowedControl& control)
        : m_control(control), m_start_mouse(confined(QCursor::pos())), m_start_left(control.left()),
          m_start_top(control.top())
    {
    }

    void run()
    {
        const HandlerScope keep(m_control.form());
        QCoreApplication::instance()->installEventFilter(this); // Escape, wherever the focus is
        m_loop.exec();
        QCoreApplication::instance()->removeEventFilter(this);
    }

protected:
    // The loop takes every mouse event of the control's window: none reaches its handlers.
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (m_ended) // events that come before the loop has returned are the control's again
            return false;
        if (event->type() == QEvent::KeyPress && static_cast<const QKeyEvent&>(*event).key() == Qt::Key_Escape) {
            m_control.move(m_start_left, m_start_top, m_control.width(), m_control.height());
            end();
            return true;
        }
        if (watched != &m_control.widget())
            return false;
        switch (event->type()) {
        case QEvent::MouseMove:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseButtonRelease: {
            const auto& mouse = static_cast<const QMouseEvent&>(*event);
            follow(mouse.globalPosition().toPoint());
            if (!(mouse.buttons() & Qt::LeftButton)) // released, also where the loop did not see it
                end();
            return true;
        }
        default:
            return false;
        }
    }

private:
    void end()
    {
        m_ended = true;
        m_loop.quit();
    }

    QPoint confined(QPoint mouse) const
    {
        const QWidget& client = m_control.form().surface();
        const QRect area(client.mapToGlobal(QPoint(0, 0)), client.size());
        return { std::clamp(mouse.x(), area.left(), area.right()), std::clamp(mouse.y(), area.top(), area.bottom()) };
    }

    void follow(QPoint mouse)
    {
        const QPoint moved = confined(mouse) - m_start_mouse;
        m_control.move(m_start_left + to_twips(moved.x()), m_start_top + to_twips(moved.y()), m_control.width(),
                       m_control.height());
    }

    WindowedControl& m_control;
    QPoint m_start_mouse;
    float m_start_left;
    float m_start_top;
    QEventLoop m_loop;
    bool m_ended { false };
};

WindowedControl* control_of(std::intptr_t hwnd)
{
    const auto* surface = dynamic_cast<SurfaceWidget*>(window_of_handle(hwnd));
    return surface ? dynamic_cast<WindowedControl*>(surface->owner()) : nullptr;
}

}

void ReleaseCapture()
{
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
}

std::intptr_t SendMessageA(std::intptr_t hwnd, std::uint32_t message, std::intptr_t wParam, std::int32_t&)
{
    if (message != WM_NCLBUTTONDOWN || wParam != HTCAPTION)
        return 0;
    if (WindowedControl* control = control_of(hwnd))
        MoveLoop(*control).run();
    return 0;
}

int SetWindowPos(std::intptr_t hwnd, std::intptr_t insert_after, int, int, int, int, std::uint32_t flags)
{
    QWidget* window = window_of_handle(hwnd);
    if (!window)
        return 0;
    window = window->window();
    const bool was_visible = window->isVisible();
    if (insert_after == HWND_TOPMOST && !window->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
        const QPoint place = window->pos();
        window->setWindowFlag(Qt::WindowStaysOnTopHint, true); // hides a shown window
        window->move(place);
    }
    if (was_visible || (flags & SWP_SHOWWINDOW))
        window->show();
    return 1;
}

}
