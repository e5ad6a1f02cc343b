#include "platform/Cp932.h"

#include <cerrno>
#include <iconv.h>

namespace platform {

namespace {

// The whole text converted, or nothing at the first byte or character that does not convert.
std::optional<std::string> convert(const char* to, const char* from, std::string_view text)
{
    const iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    std::string out;
    char buffer[256];
    char* in = const_cast<char*>(text.data());
    std::size_t in_left = text.size();
    bool done = false;
    bool failed = false;
    while (!done && !failed) {
        char* next = buffer;
        std::size_t out_left = sizeof buffer;
        // The last pass (no input) lets a stateful table write what it still holds.
        const std::size_t result = in_left ? iconv(cd, &in, &in_left, &next, &out_left)
                                           : iconv(cd, nullptr, nullptr, &next, &out_left);
        out.append(buffer, next);
        if (result == static_cast<std::size_t>(-1))
            failed = errno != E2BIG;
        else
            done = in_left == 0 && next == buffer;
    }
    iconv_close(cd);
    if (failed)
        return std::nullopt;
    return out;
}

}

std::optional<std::string> cp932_from_utf8(std::string_view utf8)
{
    auto encoded = convert("CP932", "UTF-8", utf8);
    // A character that comes back as another one is not held exactly.
    if (!encoded || utf8_from_cp932(*encoded) != utf8)
        return std::nullopt;
    return encoded;
}

std::optional<std::string> utf8_from_cp932(std::string_view cp932) { return convert("UTF-8", "CP932", cp932); }

}
