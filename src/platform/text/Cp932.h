#pragma once
// Texts of code page 932 as glibc's iconv table "CP932" has them, to and from UTF-8.
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Nothing when the text is no valid UTF-8 or holds a character that code page 932 does not
// give back exactly (no "?" stands in for it).
std::optional<std::string> cp932_from_utf8(std::string_view utf8);

// Nothing when the bytes are no text of code page 932.
std::optional<std::string> utf8_from_cp932(std::string_view cp932);

}
