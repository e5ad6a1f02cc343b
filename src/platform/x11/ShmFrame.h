#pragma once
// A frame that must be on the screen at once (a door step) put straight on the X server
// from memory it shares with the program: one short request, no waiting for the server.
// Qt's own synchronous repaint waits for the server to finish each transfer, which costs
// more than a whole frame of a fast door.
#include <functional>

class QPainter;
class QRect;
class QWidget;

namespace platform {

// Paints `area` of `surface` (its own pixels, beneath its child widgets) with `paint` and
// puts it on the screen now, leaving the child widgets' pixels alone. Returns false, having
// done nothing, where that cannot be done (no X server, no shared memory, a window the
// pixels do not fit, a surface not shown); the caller then repaints as usual. Qt's own
// copy of the window is not touched: the caller leaves the area due for Qt's next paint.
bool put_frame_now(QWidget& surface, const QRect& area, const std::function<void(QPainter&)>& paint);

}
