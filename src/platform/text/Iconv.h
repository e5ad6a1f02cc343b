#pragma once
// A conversion between two of the C library's character tables: opened once, each text
// converted whole, closed with the object.
#include <iconv.h>

#include <string>
#include <string_view>

namespace platform {

// What became of one text.
struct Converted {
    enum class Outcome { Whole, NoConverter, NotConvertible };
    Outcome outcome;
    std::string text; // the converted bytes, when Whole
    // The C library's error number otherwise: why the table could not be opened, or why the
    // text stopped converting (EILSEQ, or EINVAL for a text cut short).
    int error { 0 };

    bool whole() const { return outcome == Outcome::Whole; }
};

class Iconv {
public:
    Iconv(const char* to, const char* from);
    ~Iconv();
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    // Whether this machine has the conversion at all.
    bool available() const;
    // The whole text, converted from the table's initial state; nothing stands in for a byte or
    // character that does not convert.
    Converted convert(std::string_view text);

private:
    iconv_t m_cd;
    int m_open_error;
};

}
