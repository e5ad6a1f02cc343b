#pragma once
// The base of every control: a name, a container and a place in twips of the
// container's client area.
#include "platform/forms/Twips.h"

#include <cstdint>
#include <functional>
#include <string>

class QRect;

namespace platform {

class Container;
class Form;

class Control {
public:
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    const std::string& name() const { return m_name; }
    // The element's number in its control array; -1 for a control of its own.
    std::int16_t index() const { return m_index; }
    void set_index(std::int16_t index) { m_index = index; }
    // "Name" or "Name(index)".
    std::string display_name() const;
    Container& container() const { return *m_container; }
    Form& form() const;

    float left() const { return m_rect.left; }
    float top() const { return m_rect.top; }
    float width() const { return m_rect.width; }
    float height() const { return m_rect.height; }
    void set_left(float left) { move(left, m_rect.top, m_rect.width, m_rect.height); }
    void set_top(float top) { move(m_rect.left, top, m_rect.width, m_rect.height); }
    void set_width(float width) { move(m_rect.left, m_rect.top, width, m_rect.height); }
    void set_height(float height) { move(m_rect.left, m_rect.top, m_rect.width, height); }
    void move(float left, float top, float width, float height);

    bool visible() const { return m_visible; }
    void set_visible(bool visible);
    bool enabled() const { return m_enabled; }
    void set_enabled(bool enabled);

    // Both edges are rounded, so controls that touch in twips touch on the screen.
    QRect pixel_rect() const;

    // Draws the control's pending changes on the screen now, handling no other event.
    virtual void Refresh() = 0;

protected:
    Control(Container& container, std::string name, TwipsRect design);

    virtual void geometry_changed(const QRect& old_pixels) = 0;
    virtual void visibility_changed() = 0;
    virtual void enabled_changed() { }

    // Runs an event handler of the program in a handler scope of the control's window.
    template <class... Args, class... Given>
    void raise(const std::function<void(Args...)>& handler, Given&&... args) const;

private:
    void run_handler(const std::function<void()>& body) const;

    Container* m_container;
    std::string m_name;
    std::int16_t m_index { -1 };
    TwipsRect m_rect;
    bool m_visible { true };
    bool m_enabled { true };
};

template <class... Args, class... Given>
void Control::raise(const std::function<void(Args...)>& handler, Given&&... args) const
{
    if (handler)
        run_handler([&] { handler(std::forward<Given>(args)...); });
}

}
