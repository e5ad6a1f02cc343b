#include "logic/SignPath.h"

namespace logic {

std::string& with_trailing_separator(std::string& folder)
{
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

}
