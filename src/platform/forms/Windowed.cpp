#include "platform/forms/Windowed.h"

#include "platform/forms/Container.h"
#include "platform/forms/Form.h"
#include "platform/forms/WindowHandles.h"

#include <QPointer>
#include <QWidget>

namespace platform {

WindowedControl::WindowedControl(Container& container, std::string name, TwipsRect design,
                                 QWidget* window, std::int16_t tab_index)
    : Control(container, std::move(name), design), m_widget(std::make_unique<QPointer<QWidget>>(window)),
      m_tab_index(tab_index)
{
    window->setGeometry(pixel_rect());
    register_window(window);
    form().add_windowed(*this);
}

WindowedControl::~WindowedControl()
{
    form().remove_windowed(*this);
    unregister_window(m_widget->data());
    delete m_widget->data(); // gone already when its window went first
}

QWidget& WindowedControl::widget() const { return **m_widget; }

std::intptr_t WindowedControl::hWnd() const { return handle_of(m_widget->data()); }

void WindowedControl::SetFocus() { widget().setFocus(Qt::OtherFocusReason); }

void WindowedControl::Refresh() { widget().repaint(); }

void WindowedControl::geometry_changed(const QRect&) { widget().setGeometry(pixel_rect()); }

void WindowedControl::visibility_changed() { widget().setVisible(visible()); }

void WindowedControl::enabled_changed() { widget().setEnabled(enabled()); }

}
