#pragma once
// Every built-in asset file and how to make its bytes.
#include "ByteWriter.h"

#include <functional>
#include <string>
#include <vector>

namespace assetgen {

struct Asset {
    std::string file;
    std::function<Bytes()> make;
};

// The pictures, icon and cursor come twice: "<name>" for 100 % screens and "<name>@2x"
// drawn at twice the size for 200 %. The icon also comes as the desktop's theme sizes.
std::vector<Asset> all_assets();

}
