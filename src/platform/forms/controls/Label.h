#pragma once
// A label: a lightweight control with a caption on its own background, optionally with a
// mouse pointer of its own over it.
#include "platform/forms/Color.h"
#include "platform/forms/Font.h"
#include "platform/forms/Lightweight.h"

#include <functional>

namespace platform {

class PointerZone;

class Label : public LightweightControl {
public:
    struct Design {
        TwipsRect rect;
        std::string caption;
        OLE_COLOR back_color { vbButtonFace };
        OLE_COLOR fore_color { vbButtonText };
        Font font {};
        std::string mouse_icon {}; // a built-in cursor file; "" keeps the container's pointer
    };
    Label(Container& container, std::string name, const Design& design);

    const std::string& caption() const { return m_caption; }
    void set_caption(const std::string& caption);
    OLE_COLOR fore_color() const { return m_fore_color; }
    const Font& font() const { return m_font; }

    std::function<void()> on_click;

    void paint(QPainter& painter) const override;
    bool takes_mouse() const override { return true; }
    void mouse_clicked() const override { raise(on_click); }

protected:
    void geometry_changed(const QRect& old_pixels) override;
    void visibility_changed() override;

private:
    void place_pointer_zone();

    std::string m_caption;
    OLE_COLOR m_back_color;
    OLE_COLOR m_fore_color;
    Font m_font;
    PointerZone* m_pointer_zone { nullptr }; // owned by the container's surface
};

}
