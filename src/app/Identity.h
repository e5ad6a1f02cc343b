#pragma once
// What the desktop knows the bus by: the caption of its message boxes, its window icon and
// the id of its menu entry.
#include "platform/forms/ProgramIdentity.h"

inline const platform::ProgramIdentity BusIdentity { "ポルカ号", "bus.ico", "io.github.polkabus.QK31T0207" };
