#include "platform/text/Iconv.h"

#include <cerrno>

namespace platform {

namespace {

const iconv_t NotOpened = reinterpret_cast<iconv_t>(-1);
constexpr std::size_t Failed = static_cast<std::size_t>(-1);

}

Iconv::Iconv(const char* to, const char* from) : m_cd(iconv_open(to, from)), m_open_error(errno) { }

Iconv::~Iconv()
{
    if (available())
        iconv_close(m_cd);
}

bool Iconv::available() const { return m_cd != NotOpened; }

Converted Iconv::convert(std::string_view text)
{
    if (!available())
        return { Converted::Outcome::NoConverter, {}, m_open_error };
    iconv(m_cd, nullptr, nullptr, nullptr, nullptr); // back to the initial state
    std::string out;
    char buffer[256];
    char* in = const_cast<char*>(text.data());
    std::size_t in_left = text.size();
    for (;;) {
        char* next = buffer;
        std::size_t out_left = sizeof buffer;
        // The last pass (no input) lets a stateful table write what it still holds.
        const std::size_t result = in_left ? iconv(m_cd, &in, &in_left, &next, &out_left)
                                           : iconv(m_cd, nullptr, nullptr, &next, &out_left);
        const int error = errno;
        out.append(buffer, next);
        if (result == Failed && error != E2BIG)
            return { Converted::Outcome::NotConvertible, {}, error };
        if (result != Failed && in_left == 0 && next == buffer)
            return { Converted::Outcome::Whole, std::move(out) };
    }
}

}
