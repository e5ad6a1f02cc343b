#include "platform/forms/Control.h"

#include "platform/forms/Container.h"
#include "platform/forms/Form.h"
#include "platform/forms/HandlerScope.h"
#include "platform/system/Trace.h"

#include <cmath>

#include <QRect>

namespace platform {

namespace {
std::string twips_text(float twips)
{
    const long whole = std::lround(twips);
    return whole == twips ? std::to_string(whole) : std::to_string(twips);
}
}

Control::Control(Container& container, std::string name, TwipsRect design)
    : m_container(&container), m_name(std::move(name)), m_rect(design)
{
}

std::string Control::display_name() const
{
    return m_index < 0 ? m_name : m_name + "(" + std::to_string(m_index) + ")";
}

Form& Control::form() const { return m_container->form(); }

void Control::move(float left, float top, float width, float height)
{
    const TwipsRect wanted { left, top, width, height };
    if (wanted.left == m_rect.left && wanted.top == m_rect.top && wanted.width == m_rect.width
        && wanted.height == m_rect.height)
        return;
    const QRect old_pixels = pixel_rect();
    m_rect = wanted;
    if (trace::recording())
        trace::record(display_name() + " move " + twips_text(left) + " " + twips_text(top) + " "
                      + twips_text(width) + " " + twips_text(height));
    geometry_changed(old_pixels);
}

void Control::set_visible(bool visible)
{
    trace::record_property(display_name(), "Visible", visible);
    if (m_visible == visible)
        return;
    m_visible = visible;
    visibility_changed();
}

void Control::set_enabled(bool enabled)
{
    if (m_enabled == enabled)
        return;
    m_enabled = enabled;
    enabled_changed();
}

QRect Control::pixel_rect() const
{
    const int x0 = to_pixels(m_rect.left);
    const int y0 = to_pixels(m_rect.top);
    const int x1 = to_pixels(m_rect.left + m_rect.width);
    const int y1 = to_pixels(m_rect.top + m_rect.height);
    return QRect(x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0));
}

void Control::run_handler(const std::function<void()>& body) const { HandlerScope::run(form(), body); }

}
