#include "platform/text/Cp932.h"

#include "platform/text/Iconv.h"

namespace platform {

namespace {

std::optional<std::string> whole_text(Converted converted)
{
    if (!converted.whole())
        return std::nullopt;
    return std::move(converted.text);
}

}

std::optional<std::string> cp932_from_utf8(std::string_view utf8)
{
    thread_local Iconv convert("CP932", "UTF-8");
    auto encoded = whole_text(convert.convert(utf8));
    // A character that comes back as another one is not held exactly.
    if (!encoded || utf8_from_cp932(*encoded) != utf8)
        return std::nullopt;
    return encoded;
}

std::optional<std::string> utf8_from_cp932(std::string_view cp932)
{
    thread_local Iconv convert("UTF-8", "CP932");
    return whole_text(convert.convert(cp932));
}

}
