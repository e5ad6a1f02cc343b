#include "platform/forms/MouseState.h"

#include <QMouseEvent>

namespace platform {

std::int16_t mouse_button(const QMouseEvent& event)
{
    switch (event.button()) {
    case Qt::LeftButton: return vbLeftButton;
    case Qt::RightButton: return vbRightButton;
    case Qt::MiddleButton: return vbMiddleButton;
    default: return 0;
    }
}

std::int16_t held_buttons(const QMouseEvent& event)
{
    std::int16_t held = 0;
    if (event.buttons() & Qt::LeftButton)
        held |= vbLeftButton;
    if (event.buttons() & Qt::RightButton)
        held |= vbRightButton;
    if (event.buttons() & Qt::MiddleButton)
        held |= vbMiddleButton;
    return held;
}

std::int16_t shift_state(const QInputEvent& event)
{
    std::int16_t state = 0;
    if (event.modifiers() & Qt::ShiftModifier)
        state |= 1;
    if (event.modifiers() & Qt::ControlModifier)
        state |= 2;
    if (event.modifiers() & Qt::AltModifier)
        state |= 4;
    return state;
}

}
