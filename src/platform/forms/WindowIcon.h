#pragma once
// A window's icon from the built-in icon file's name: its PNG sizes ("bus.ico" is
// bus_16.png, bus_24.png, ...), read with libpng, rather than the .ico, whose reader is a
// plugin.
#include <QIcon>

#include <string>

namespace platform {

QIcon window_icon(const std::string& icon_file);

}
