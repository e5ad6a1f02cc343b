#include "platform/Windowed.h"

#include "platform/Container.h"
#include "platform/Form.h"
#include "platform/WindowHandles.h"

#include <QWidget>

namespace platform {

WindowedControl::WindowedControl(Container& container, std::string name, TwipsRect design,
                                 QWidget* widget, std::int16_t tab_index)
    : Control(container, std::move(name), design), m_widget(widget), m_tab_index(tab_index)
{
    m_widget->setGeometry(pixel_rect());
    register_window(m_widget);
    form().add_windowed(*this);
}

WindowedControl::~WindowedControl()
{
    form().remove_windowed(*this);
    unregister_window(m_widget);
    delete m_widget.data(); // gone already when its window went first
}

std::intptr_t WindowedControl::hWnd() const { return handle_of(m_widget); }

void WindowedControl::SetFocus() { m_widget->setFocus(Qt::OtherFocusReason); }

void WindowedControl::Refresh() { m_widget->repaint(); }

void WindowedControl::geometry_changed(const QRect&) { m_widget->setGeometry(pixel_rect()); }

void WindowedControl::visibility_changed() { m_widget->setVisible(visible()); }

void WindowedControl::enabled_changed() { m_widget->setEnabled(enabled()); }

}
