#pragma once
// A menu item of a window's hidden top-level menu; the top-level item is shown as a popup.
// A caption of "-" makes a separator.
#include <functional>
#include <string>
#include <vector>

namespace platform {

class Form;

class Menu {
public:
    Menu(Form& form, std::string name, std::string caption, bool checked = false);
    Menu(Menu& parent, std::string name, std::string caption, bool checked = false);

    const std::string& name() const { return m_name; }
    const std::string& caption() const { return m_caption; }
    void set_caption(std::string caption) { m_caption = std::move(caption); }
    bool checked() const { return m_checked; }
    void set_checked(bool checked);
    bool enabled() const { return m_enabled; }
    void set_enabled(bool enabled) { m_enabled = enabled; }
    bool visible() const { return m_visible; }
    void set_visible(bool visible) { m_visible = visible; }
    const std::vector<Menu*>& items() const { return m_items; }

    std::function<void()> on_click;

    // Shows the items at the mouse; the chosen item's handler runs after the menu closed.
    void popup_at_mouse();

private:
    Form* m_form;
    std::string m_name;
    std::string m_caption;
    bool m_checked { false };
    bool m_enabled { true };
    bool m_visible { false }; // a popup's top-level item is hidden so the window has no menu bar
    std::vector<Menu*> m_items;
};

}
