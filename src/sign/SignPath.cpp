#include "sign/SignPath.h"

#include "app/Common.h"
#include "logic/SignPath.h"

namespace sign {

const std::string& ApplySignPathRule() { return logic::with_trailing_separator(Common::HkPath[0]); }

}
