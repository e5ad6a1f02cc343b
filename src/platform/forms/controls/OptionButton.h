#pragma once
// An option button. The option buttons of one container form one group: selecting one
// clears the others.
#include "platform/forms/Color.h"
#include "platform/forms/Font.h"
#include "platform/forms/Windowed.h"

#include <functional>

class QRadioButton;

namespace platform {

class OptionButton : public WindowedControl {
public:
    struct Design {
        TwipsRect rect;
        std::string caption;
        std::int16_t tab_index { 0 };
        OLE_COLOR back_color { vbButtonFace };
        bool value { false };
    };
    OptionButton(Container& container, std::string name, const Design& design);
    ~OptionButton() override;

    bool value() const { return m_value; }
    // Selecting clears the group's other buttons and raises Click; clearing raises nothing.
    void set_value(bool value);
    void press();

    std::function<void()> on_click;

private:
    QRadioButton& radio() const;
    void show_value();

    bool m_value { false };
};

}
