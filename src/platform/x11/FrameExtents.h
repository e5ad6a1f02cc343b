#pragma once
// The window manager's frame around a window that has not been shown yet, asked for
// with _NET_REQUEST_FRAME_EXTENTS. Empty margins without X11 or without a window manager.
#include <QMargins>

class QWidget;

namespace platform {

QMargins request_frame_extents(QWidget& window);

}
