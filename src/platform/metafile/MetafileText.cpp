#include "platform/metafile/MetafileText.h"

#include "platform/text/Iconv.h"

namespace platform {

namespace {

// A font's character set, and the code page its text is written in.
enum class CharSet : int {
    ShiftJis = 128,
    Hangul = 129,
    Gb2312 = 134,
    ChineseBig5 = 136,
    Greek = 161,
    Turkish = 162,
    Hebrew = 177,
    Arabic = 178,
    Baltic = 186,
    Russian = 204,
    Thai = 222,
    EastEurope = 238,
};

struct CodePage {
    CharSet charset;
    const char* name;
    bool double_byte;
};

constexpr CodePage CodePages[] {
    { CharSet::ShiftJis, "CP932", true },     { CharSet::Hangul, "CP949", true },
    { CharSet::Gb2312, "GBK", true },         { CharSet::ChineseBig5, "BIG5", true },
    { CharSet::Greek, "CP1253", false },      { CharSet::Turkish, "CP1254", false },
    { CharSet::Hebrew, "CP1255", false },     { CharSet::Arabic, "CP1256", false },
    { CharSet::Baltic, "CP1257", false },     { CharSet::Russian, "CP1251", false },
    { CharSet::Thai, "CP874", false },        { CharSet::EastEurope, "CP1250", false },
};

// Any other character set is taken as Western (ANSI).
constexpr CodePage Western { CharSet {}, "CP1252", false };

const CodePage& code_page(int charset)
{
    for (const CodePage& page : CodePages) {
        if (page.charset == CharSet { charset })
            return page;
    }
    return Western;
}

bool is_lead_byte(int charset, std::uint8_t byte)
{
    if (CharSet { charset } == CharSet::ShiftJis)
        return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    return code_page(charset).double_byte && byte >= 0x81 && byte <= 0xFE;
}

QString convert_character(Iconv& converter, const std::uint8_t* bytes, std::size_t count)
{
    const Converted utf16 = converter.convert({ reinterpret_cast<const char*>(bytes), count });
    if (!utf16.whole())
        return QStringLiteral("?");
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(utf16.text.data()),
                              static_cast<qsizetype>(utf16.text.size() / 2));
}

}

DecodedText decode_ansi_text(Bytes bytes, int charset)
{
    const char* table = code_page(charset).name;
    Iconv converter("UTF-16LE", table);
    if (!converter.available())
        throw MissingConverter(table);
    DecodedText text;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t count = is_lead_byte(charset, bytes.u8(at)) && bytes.has(at, 2) ? 2 : 1;
        text.characters.push_back(convert_character(converter, bytes.data() + at, count));
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
