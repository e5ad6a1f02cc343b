#pragma once
// A frame: a captioned box that holds controls. Switched off, none of its controls can
// be operated.
#include "platform/forms/Container.h"
#include "platform/forms/Font.h"
#include "platform/forms/Windowed.h"

namespace platform {

class Frame : public WindowedControl, public Container {
public:
    struct Design {
        TwipsRect rect;
        std::string caption;
        std::int16_t tab_index { 0 };
        OLE_COLOR back_color { vbButtonFace };
        Font font {};
    };
    Frame(Container& container, std::string name, const Design& design);

    Form& form() override { return Control::form(); }
    const std::string& caption() const { return m_caption; }

    void paint_surface(QPainter& painter, const QRect& dirty) override;

private:
    std::string m_caption;
    Font m_font;
};

}
