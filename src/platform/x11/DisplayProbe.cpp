#include "platform/x11/DisplayProbe.h"

#include <cstdlib>
#include <xcb/xcb.h>

namespace platform {

std::optional<std::string> x11_problem()
{
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0')
        return "no display to show the windows on (DISPLAY is not set)";
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool reached = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    if (!reached)
        return "cannot connect to the X display \"" + std::string(display) + "\"";
    return std::nullopt;
}

}
