#include "sign/SignPath.h"

#include "app/Common.h"

namespace sign {

const std::string& ApplySignPathRule()
{
    std::string& folder = Common::HkPath[0];
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

}
