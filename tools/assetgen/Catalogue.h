#pragma once
// Every built-in asset file and how to make its bytes.
#include "ByteWriter.h"

#include <span>
#include <string_view>

namespace assetgen {

struct Asset {
    std::string_view file;
    Bytes (*make)();
};

std::span<const Asset> all_assets();

}
