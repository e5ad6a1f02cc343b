#include "platform/metafile/MetafileText.h"

#include <iconv.h>

#include <array>
#include <memory>

namespace platform {

namespace {

const char* code_page(int charset)
{
    switch (charset) {
    case 128: return "CP932";
    case 129: return "CP949";
    case 134: return "GBK";
    case 136: return "BIG5";
    case 161: return "CP1253";
    case 162: return "CP1254";
    case 177: return "CP1255";
    case 178: return "CP1256";
    case 186: return "CP1257";
    case 204: return "CP1251";
    case 222: return "CP874";
    case 238: return "CP1250";
    default: return "CP1252";
    }
}

bool is_lead_byte(int charset, std::uint8_t byte)
{
    switch (charset) {
    case 128: return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    case 129: case 134: case 136: return byte >= 0x81 && byte <= 0xFE;
    default: return false;
    }
}

struct CloseConverter {
    void operator()(void* converter) const { iconv_close(static_cast<iconv_t>(converter)); }
};

QString convert_character(iconv_t converter, const std::uint8_t* bytes, std::size_t count)
{
    std::array<char, 4> in {};
    std::copy_n(bytes, count, in.begin());
    std::array<char16_t, 4> out {};
    char* in_at = in.data();
    auto* out_at = reinterpret_cast<char*>(out.data());
    std::size_t in_left = count, out_left = sizeof(out);
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    if (iconv(converter, &in_at, &in_left, &out_at, &out_left) == static_cast<std::size_t>(-1) || in_left != 0)
        return QStringLiteral("?");
    return QString::fromUtf16(out.data(), static_cast<qsizetype>((sizeof(out) - out_left) / 2));
}

}

DecodedText decode_ansi_text(Bytes bytes, int charset)
{
    const iconv_t opened = iconv_open("UTF-16LE", code_page(charset));
    if (opened == reinterpret_cast<iconv_t>(-1))
        throw DamagedPicture(); // the C library lacks the code page: nothing sensible to draw
    const std::unique_ptr<void, CloseConverter> converter(opened);
    DecodedText text;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t count = is_lead_byte(charset, bytes.u8(at)) && bytes.has(at, 2) ? 2 : 1;
        text.characters.push_back(convert_character(opened, bytes.data() + at, count));
        text.units.push_back(count);
        at += count;
    }
    return text;
}

DecodedText decode_wide_text(Bytes bytes, std::size_t count)
{
    DecodedText text;
    for (std::size_t i = 0; i < count;) {
        const char16_t unit = bytes.u16(i * 2);
        const std::size_t units = QChar::isHighSurrogate(unit) && i + 1 < count ? 2 : 1;
        QString character { QChar(unit) };
        if (units == 2)
            character += QChar(bytes.u16(i * 2 + 2));
        text.characters.push_back(character);
        text.units.push_back(units);
        i += units;
    }
    return text;
}

std::vector<double> character_advances(const DecodedText& text, const std::vector<double>& unit_advances)
{
    std::vector<double> advances;
    std::size_t unit = 0;
    for (const std::size_t units : text.units) {
        if (unit + units > unit_advances.size())
            return {};
        double advance = 0;
        for (std::size_t i = 0; i < units; ++i)
            advance += unit_advances[unit + i];
        advances.push_back(advance);
        unit += units;
    }
    return advances;
}

}
