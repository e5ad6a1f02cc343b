#include "platform/forms/controls/PictureBox.h"

#include "platform/forms/KeyCodes.h"
#include "platform/forms/MouseState.h"
#include "platform/forms/SurfaceWidget.h"
#include "platform/system/Trace.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QStyleHints>
#include <QMouseEvent>
#include <utility>

namespace platform {

PictureBox::PictureBox(Container& container, std::string name, const Design& design)
    : WindowedControl(container, std::move(name), design.rect, new SurfaceWidget(&container.surface()),
                      design.tab_index),
      Container(&widget(), design.back_color), m_auto_size(design.auto_size), m_known_width(design.rect.width),
      m_known_height(design.rect.height)
{
    auto& surface = static_cast<SurfaceWidget&>(widget());
    surface.set_owner(this);
    surface.setFocusPolicy(Qt::StrongFocus);
    surface.setObjectName(QString::fromStdString(Control::name()));
    set_visible(design.visible);
    surface.setVisible(design.visible);
}

void PictureBox::set_auto_size(bool auto_size)
{
    if (m_auto_size == auto_size)
        return;
    m_auto_size = auto_size;
    fit_picture();
}

void PictureBox::picture_changed()
{
    trace::record_property(display_name(), "Picture", picture().size_text());
    fit_picture();
}

void PictureBox::fit_picture()
{
    if (m_auto_size && !picture().empty())
        move(left(), top(), to_twips(picture().width_px()), to_twips(picture().height_px()));
}

// A double click arrives as press, release, press, double click, release (or without the
// second press); either way the second press is a DblClick, never a second MouseDown.
bool PictureBox::is_second_click(const QMouseEvent& event) const
{
    const int interval = QGuiApplication::styleHints()->mouseDoubleClickInterval();
    const int distance = QGuiApplication::styleHints()->mouseDoubleClickDistance();
    return m_has_last_click && event.timestamp() - m_last_click_time <= static_cast<unsigned long>(interval)
        && (event.position().toPoint() - QPoint(m_last_click_x, m_last_click_y)).manhattanLength() <= distance;
}

void PictureBox::note_click(const QMouseEvent& event)
{
    m_has_last_click = !m_in_double_click; // a third press starts afresh
    m_last_click_time = event.timestamp();
    m_last_click_x = event.position().toPoint().x();
    m_last_click_y = event.position().toPoint().y();
}

void PictureBox::bare_mouse(QMouseEvent& event)
{
    const std::int16_t button = mouse_button(event);
    const std::int16_t shift = shift_state(event);
    const float x = to_twips(event.position().x());
    const float y = to_twips(event.position().y());
    switch (event.type()) {
    case QEvent::MouseButtonPress:
        if (is_second_click(event)) {
            m_in_double_click = true;
            raise(on_dbl_click);
        } else {
            m_in_double_click = false;
            raise(on_mouse_down, button, shift, x, y);
        }
        note_click(event);
        break;
    case QEvent::MouseButtonDblClick:
        if (!m_in_double_click) {
            m_in_double_click = true;
            raise(on_dbl_click);
        }
        break;
    case QEvent::MouseButtonRelease:
        raise(on_mouse_up, button, shift, x, y);
        if (!m_in_double_click && widget().rect().contains(event.position().toPoint()))
            raise(on_click);
        break;
    case QEvent::MouseMove:
        raise(on_mouse_move, held_buttons(event), shift, x, y);
        break;
    default:
        break;
    }
}

void PictureBox::surface_key(QKeyEvent& event)
{
    raise(on_key_down, key_code(event), shift_state(event));
}

// The window system resizes the box's window for the first time when it is first shown;
// later changes of its pixel size are already raised below, in twips.
void PictureBox::surface_resized()
{
    if (!std::exchange(m_shown, true))
        raise(on_resize);
}

void PictureBox::geometry_changed(const QRect& old_pixels)
{
    WindowedControl::geometry_changed(old_pixels);
    if (width() == m_known_width && height() == m_known_height)
        return;
    m_known_width = width();
    m_known_height = height();
    raise(on_resize);
}

}
