#pragma once
// The sign file path rule applied to the sign folder HkPath(0).
#include <string>

namespace sign {

// Appends "/" to the sign folder if it lacks one (an empty folder becomes "/") and
// returns the folder.
const std::string& ApplySignPathRule();

}
