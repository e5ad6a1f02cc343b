#pragma once
// How the bus ends with the desktop: a signal or the session's end closes it as the user's
// close does, the session manager's checkpoint saves, and an X server that goes away under it
// leaves the settings the program last noted.
#include "platform/forms/DesktopEnd.h"

platform::DesktopEndings bus_endings();
