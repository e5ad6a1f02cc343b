#pragma once
// The X connection Qt opened for the application; none on another platform.
#include <xcb/xcb.h>

namespace platform {

xcb_connection_t* qt_connection();

}
