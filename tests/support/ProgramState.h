#pragma once
// Each window test starts with the program's shared variables as a fresh start has them.
#include "app/Common.h"

inline void reset_program_state()
{
    Common::HkPath = {};
    Common::HkIndex = 0;
    Common::KanbanPicPath.clear();
    Common::IniSpare = {};
    Common::NakaMode = 0;
}
