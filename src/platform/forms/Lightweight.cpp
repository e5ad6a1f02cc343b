#include "platform/forms/Lightweight.h"

#include "platform/forms/Container.h"

#include <QRect>

namespace platform {

LightweightControl::LightweightControl(Container& container, std::string name, TwipsRect design)
    : Control(container, std::move(name), design)
{
    container.add_lightweight(*this);
}

LightweightControl::~LightweightControl() { container().remove_lightweight(*this); }

void LightweightControl::invalidate() const { container().invalidate(pixel_rect()); }

void LightweightControl::geometry_changed(const QRect& old_pixels)
{
    // A change of less than a pixel changes nothing on the screen (a door moves a twip a
    // frame, a pixel every fifteen).
    if (old_pixels != pixel_rect())
        container().invalidate(old_pixels.united(pixel_rect()));
}

void LightweightControl::visibility_changed() { invalidate(); }

void LightweightControl::Refresh() { container().repaint_pending(); }

}
