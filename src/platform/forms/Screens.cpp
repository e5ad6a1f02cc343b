#include "platform/forms/Screens.h"

#include <QGuiApplication>
#include <QScreen>

namespace platform {

namespace {

TwipsRect twips_of(const QRect& pixels)
{
    return { to_twips(pixels.x()), to_twips(pixels.y()), to_twips(pixels.width()), to_twips(pixels.height()) };
}

}

// Qt gives each monitor in logical pixels from the monitor's own top-left corner, the same
// coordinates as window positions; with different pixel ratios the monitors may then overlap or
// leave gaps between them, so each is taken on its own. On X11 the area free of panels is the
// one work area of the whole desktop cut to the monitor: a monitor it misses counts whole.
std::vector<TwipsRect> screen_areas()
{
    std::vector<TwipsRect> areas;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect free = screen->availableGeometry();
        areas.push_back(twips_of(free.isEmpty() ? screen->geometry() : free));
    }
    return areas;
}

}
