#include "platform/forms/Windowed.h"

#include "platform/forms/Container.h"
#include "platform/forms/Form.h"
#include "platform/forms/SurfaceWidget.h"
#include "platform/forms/WindowHandles.h"

#include <QPointer>
#include <QWidget>

namespace platform {

struct WindowedControl::WindowWatch {
    explicit WindowWatch(QWidget* window) : widget(window) { }
    QPointer<QWidget> widget;
    QObject receiver;
};

WindowedControl::WindowedControl(Container& container, std::string name, TwipsRect design,
                                 QWidget* window, std::int16_t tab_index)
    : Control(container, std::move(name), design), m_window(std::make_unique<WindowWatch>(window)),
      m_tab_index(tab_index)
{
    window->setGeometry(pixel_rect());
    register_window(window);
    form().add_windowed(*this);
}

WindowedControl::~WindowedControl()
{
    form().remove_windowed(*this);
    unregister_window(m_window->widget);
    // What is left of the window sends nothing to this control: its signals end with the
    // receiver, and a container's surface forgets its owner.
    if (auto* surface = dynamic_cast<SurfaceWidget*>(m_window->widget.data()))
        surface->set_owner(nullptr);
}

QWidget& WindowedControl::widget() const { return *m_window->widget; }

QObject& WindowedControl::receiver() const { return m_window->receiver; }

std::intptr_t WindowedControl::hWnd() const { return handle_of(m_window->widget); }

void WindowedControl::SetFocus() { widget().setFocus(Qt::OtherFocusReason); }

void WindowedControl::Refresh() { widget().repaint(); }

void WindowedControl::geometry_changed(const QRect&) { widget().setGeometry(pixel_rect()); }

void WindowedControl::visibility_changed() { widget().setVisible(visible()); }

void WindowedControl::enabled_changed() { widget().setEnabled(enabled()); }

}
