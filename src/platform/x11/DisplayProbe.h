#pragma once
// Whether an X server can be reached, asked before Qt is started (which would abort the
// program when it cannot).
#include <optional>
#include <string>

namespace platform {

// Why the X display named by DISPLAY cannot be reached; nothing when it can.
std::optional<std::string> x11_problem();

}
