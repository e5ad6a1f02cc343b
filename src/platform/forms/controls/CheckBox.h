#pragma once
// A check box in graphical style: a push button that stays down while checked, its face a
// picture. Click is raised after the value has toggled, by the user or by the program.
#include "platform/forms/Windowed.h"
#include "platform/picture/Picture.h"

#include <cstdint>
#include <functional>

class QPushButton;

namespace platform {

class CheckBox : public WindowedControl {
public:
    struct Design {
        TwipsRect rect;
        std::int16_t tab_index { 0 };
        Picture face {};
    };
    CheckBox(Container& container, std::string name, const Design& design);

    std::int16_t value() const { return m_value; }
    // Raises Click when the value changes.
    void set_value(std::int16_t value);
    // Clicks the box as the user would.
    void press();

    std::function<void()> on_click;

private:
    QPushButton& button() const;
    void user_toggled(bool checked);

    std::int16_t m_value { 0 };
};

}
