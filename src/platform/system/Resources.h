#pragma once
// The program's own resources, embedded with the build: pictures, icon, cursor and the
// "WAVE" sounds found by numeric id.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The bytes of resource `id` of `type` ("WAVE"); throws RuntimeError when there is none.
std::vector<std::uint8_t> LoadResData(int id, std::string_view type);

// Resource path (":/assets/<file>") of a built-in asset file.
std::string asset_path(std::string_view file);

}
