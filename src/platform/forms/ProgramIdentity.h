#pragma once
// What the desktop knows the program by, handed in by the program at start: the caption of
// its message boxes, its window icon (a built-in asset file) and the id of its menu entry.
#include <string>

namespace platform {

struct ProgramIdentity {
    std::string title;
    std::string icon_asset;
    std::string desktop_id;
};

void set_program_identity(ProgramIdentity identity);
const ProgramIdentity& program_identity();

}
