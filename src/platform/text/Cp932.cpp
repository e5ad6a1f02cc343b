#include "platform/text/Cp932.h"

#include <cerrno>
#include <iconv.h>

namespace platform {

namespace {

// One direction of conversion, opened once for the thread.
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) { }
    ~Converter()
    {
        if (usable())
            iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool usable() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    // The whole text converted, or nothing at the first byte or character that does not convert.
    std::optional<std::string> operator()(std::string_view text) const;

private:
    iconv_t m_cd;
};

std::optional<std::string> Converter::operator()(std::string_view text) const
{
    if (!usable())
        return std::nullopt;
    const iconv_t cd = m_cd;
    iconv(cd, nullptr, nullptr, nullptr, nullptr); // back to the initial state
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
    if (failed)
        return std::nullopt;
    return out;
}

}

std::optional<std::string> cp932_from_utf8(std::string_view utf8)
{
    thread_local const Converter convert("CP932", "UTF-8");
    auto encoded = convert(utf8);
    // A character that comes back as another one is not held exactly.
    if (!encoded || utf8_from_cp932(*encoded) != utf8)
        return std::nullopt;
    return encoded;
}

std::optional<std::string> utf8_from_cp932(std::string_view cp932)
{
    thread_local const Converter convert("UTF-8", "CP932");
    return convert(cp932);
}

}
