#pragma once
// A command button, plain or graphical (its own background colour). "&" in the caption
// marks the access key; a cancel button is also pressed by Esc anywhere in its window.
#include "platform/forms/Color.h"
#include "platform/forms/Font.h"
#include "platform/forms/Windowed.h"

#include <functional>

class QPushButton;

namespace platform {

class CommandButton : public WindowedControl {
public:
    struct Design {
        TwipsRect rect;
        std::string caption;
        std::int16_t tab_index { 0 };
        Font font {};
        bool graphical { false };
        OLE_COLOR back_color { vbButtonFace };
        bool cancel { false };
    };
    CommandButton(Container& container, std::string name, const Design& design);

    std::string caption() const;
    // Presses the button as the user would.
    void press();

    std::function<void()> on_click;

private:
    QPushButton& button() const;
};

}
