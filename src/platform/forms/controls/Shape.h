#pragma once
// A rectangle shape: outline and solid fill, painted by its container beneath every
// windowed control. It takes no mouse input.
#include "platform/forms/Color.h"
#include "platform/forms/Lightweight.h"

namespace platform {

class Shape : public LightweightControl {
public:
    struct Design {
        TwipsRect rect;
        OLE_COLOR border_color { vbBlack };
        OLE_COLOR fill_color { vbBlack };
        bool visible { true };
    };
    Shape(Container& container, std::string name, const Design& design);

    OLE_COLOR border_color() const { return m_border_color; }
    OLE_COLOR fill_color() const { return m_fill_color; }

    void paint(QPainter& painter) const override;

private:
    OLE_COLOR m_border_color;
    OLE_COLOR m_fill_color;
};

}
