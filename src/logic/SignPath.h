#pragma once
// The sign file path rule: the file of a sign list entry is the sign folder followed by the
// entry's name, once the folder has been given a trailing "/" (the change stays).
#include <string>

namespace logic {

// Appends "/" to the folder if it lacks one (an empty folder becomes "/") and returns it.
std::string& with_trailing_separator(std::string& folder);

}
