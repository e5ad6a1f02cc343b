// Reading the record: each field ends at a comma or a line end; a text field is taken from
// its opening double quote to the closing one that a field end follows, so commas, line
// ends and quotes inside a text are kept.
#include "logic/SettingsFields.h"
#include "logic/SettingsRecord.h"
#include "platform/text/Cp932.h"

#include <charconv>
#include <limits>
#include <optional>

using namespace settings_fields;

namespace {

struct FieldText {
    std::string_view text;
    bool quoted { false };
};

// The fields of the file, one after the other.
class FieldCursor {
public:
    explicit FieldCursor(std::string_view data) : m_data(data) { }

    bool at_end() const { return m_at == m_data.size(); }

    // The next field; nothing for a text without its closing quote. Call only when not at_end().
    std::optional<FieldText> next()
    {
        FieldText field;
        if (m_data[m_at] == '"') {
            const std::size_t end = closing_quote(m_at + 1);
            if (end == std::string_view::npos)
                return std::nullopt;
            field = { m_data.substr(m_at + 1, end - m_at - 1), true };
            m_at = end + 1;
            skip_blanks();
        } else {
            const std::size_t start = m_at;
            while (!at_field_end(m_at))
                ++m_at;
            field = { trimmed(m_data.substr(start, m_at - start)), false };
        }
        skip_separator();
        return field;
    }

    void skip_blanks()
    {
        while (!at_end() && is_blank(m_data[m_at]))
            ++m_at;
    }

private:
    static bool is_blank(char c) { return c == ' ' || c == '\t'; }

    static std::string_view trimmed(std::string_view text)
    {
        while (!text.empty() && is_blank(text.back()))
            text.remove_suffix(1);
        return text;
    }

    bool at_field_end(std::size_t at) const
    {
        return at == m_data.size() || m_data[at] == ',' || m_data[at] == '\r' || m_data[at] == '\n';
    }

    std::size_t closing_quote(std::size_t from) const
    {
        for (std::size_t at = m_data.find('"', from); at != std::string_view::npos; at = m_data.find('"', at + 1)) {
            std::size_t after = at + 1;
            while (after < m_data.size() && is_blank(m_data[after]))
                ++after;
            if (at_field_end(after))
                return at;
        }
        return std::string_view::npos;
    }

    // A comma, or one line end (CR LF, LF or CR).
    void skip_separator()
    {
        if (at_end())
            return;
        const char separator = m_data[m_at++];
        if (separator == '\r' && !at_end() && m_data[m_at] == '\n')
            ++m_at;
    }

    std::string_view m_data;
    std::size_t m_at { 0 };
};

bool all_digits(std::string_view text)
{
    return text.find_first_not_of("0123456789") == std::string_view::npos;
}

// Decimal digits with an optional minus sign and fraction, rounded to the nearest whole
// number (a half to the even one); nothing for anything else.
std::optional<std::int64_t> whole_number(std::string_view text)
{
    const bool negative = !text.empty() && text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    const std::size_t dot = text.find('.');
    const std::string_view whole = text.substr(0, dot);
    const std::string_view fraction = dot == std::string_view::npos ? std::string_view {} : text.substr(dot + 1);
    if ((whole.empty() && fraction.empty()) || !all_digits(whole) || !all_digits(fraction))
        return std::nullopt;
    std::int64_t value = 0;
    if (!whole.empty() && std::from_chars(whole.data(), whole.data() + whole.size(), value).ec != std::errc {})
        return std::numeric_limits<std::int64_t>::max(); // only digits: too many of them
    if (!fraction.empty()) {
        const bool beyond_half = fraction.find_first_not_of('0', 1) != std::string_view::npos;
        const char first = fraction.front();
        if ((first > '5' || (first == '5' && (beyond_half || value % 2 == 1))) && value < std::numeric_limits<std::int64_t>::max())
            ++value;
    }
    return negative ? -value : value;
}

template <class Integer>
std::string read_number(const FieldText& field, Integer& target)
{
    const auto value = field.quoted ? std::nullopt : whole_number(field.text);
    if (!value)
        return "not a number";
    if (*value < std::numeric_limits<Integer>::min() || *value > std::numeric_limits<Integer>::max())
        return "out of range";
    target = static_cast<Integer>(*value);
    return {};
}

std::string read_truth(const FieldText& field, bool& target)
{
    if (field.quoted || (field.text != True && field.text != False))
        return "not a truth value";
    target = field.text == True;
    return {};
}

std::string read_text(const FieldText& field, bool utf8, std::string& target)
{
    auto text = utf8 ? std::optional<std::string>(field.text) : platform::utf8_from_cp932(field.text);
    if (!text)
        return "not a text of code page 932";
    target = std::move(*text);
    return {};
}

// What went wrong with one field, or nothing.
std::string read_field(const FieldText& field, const Field& kind, bool utf8, SettingsRecord& record)
{
    return std::visit(ForEachKind {
                          [&](Number number) { return read_number(field, record.*number); },
                          [&](ShortNumber number) { return read_number(field, record.*number); },
                          [&](Text text) { return read_text(field, utf8, record.*text); },
                          [&](Truth truth) { return read_truth(field, record.*truth); },
                      },
                      kind);
}

}

SettingsRead read_settings(std::string_view bytes)
{
    const bool utf8 = bytes.starts_with(ByteOrderMark);
    if (utf8)
        bytes.remove_prefix(ByteOrderMark.size());
    SettingsRead read;
    FieldCursor cursor(bytes);
    for (const Field& kind : InFileOrder) {
        const std::string number = "field " + std::to_string(read.fields_read + 1);
        cursor.skip_blanks();
        if (cursor.at_end()) {
            read.failure = "the file ends before " + number;
            return read;
        }
        const auto field = cursor.next();
        read.failure = field ? read_field(*field, kind, utf8, read.record) : "no closing quote";
        if (!read.failure.empty()) {
            read.failure = number + ": " + read.failure;
            return read;
        }
        ++read.fields_read;
    }
    return read;
}
