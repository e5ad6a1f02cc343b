#pragma once
// A single-line text box.
#include "platform/forms/Windowed.h"

#include <functional>

class QLineEdit;

namespace platform {

class TextBox : public WindowedControl {
public:
    struct Design {
        TwipsRect rect;
        std::string text;
        std::int16_t tab_index { 0 };
    };
    TextBox(Container& container, std::string name, const Design& design);

    std::string text() const;
    void set_text(const std::string& text);

private:
    QLineEdit& edit() const;
};

}
