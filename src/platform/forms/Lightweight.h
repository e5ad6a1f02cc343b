#pragma once
// A control without a window of its own (image, shape, label): its container paints it.
#include "platform/forms/Control.h"

class QPainter;
class QRect;

namespace platform {

class LightweightControl : public Control {
public:
    ~LightweightControl() override;

    virtual void paint(QPainter& painter) const = 0;
    // Whether a mouse press at this control goes to it rather than to its container.
    virtual bool takes_mouse() const { return false; }
    virtual void mouse_clicked() const { }

    void Refresh() override;

protected:
    LightweightControl(Container& container, std::string name, TwipsRect design);

    void geometry_changed(const QRect& old_pixels) override;
    void visibility_changed() override;
    void invalidate() const;
};

}
