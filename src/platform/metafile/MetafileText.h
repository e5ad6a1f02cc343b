#pragma once
// The text of a metafile's text records: characters decoded by the font's character set,
// each with the advance the record gives it.
#include "platform/codec/ByteReader.h"

#include <QPointF>
#include <QRectF>
#include <QString>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace platform {

struct TextRun {
    // Options a text record gives.
    enum Option : std::uint32_t {
        Opaque = 0x0002,            // the rectangle filled with the background
        Clipped = 0x0004,           // the text clipped to the rectangle
        AdvancesInPairs = 0x2000,   // each character's advance followed by a vertical one
    };
    QPointF reference;                 // logical
    std::vector<QString> characters;   // one entry a character (a surrogate pair stays whole)
    std::vector<double> advances;      // logical, one a character; empty: the font's own
    std::uint32_t options { 0 };       // Opaque, Clipped
    std::optional<QRectF> rect;        // logical
};

// Characters, and how many stored units (bytes or UTF-16 units) each took.
struct DecodedText {
    std::vector<QString> characters;
    std::vector<std::size_t> units;
};

// This machine lacks the converter of a code page: the file is sound, its text unreadable here.
struct MissingConverter : std::runtime_error {
    explicit MissingConverter(const std::string& code_page) : std::runtime_error("no converter for " + code_page) { }
};

// 8-bit text in the code page of a font's lfCharSet (Shift_JIS as CP932, GB2312 as GBK,
// Big5, Korean and the single-byte Windows code pages; anything else as CP1252). A character
// that does not convert is "?"; MissingConverter when this machine lacks the code page.
DecodedText decode_ansi_text(Bytes bytes, int charset);
// The same, with a "?" a byte when this machine lacks the code page: the picture still shows.
DecodedText decode_ansi_text_or_marks(Bytes bytes, int charset);
// UTF-16 text of `count` units.
DecodedText decode_wide_text(Bytes bytes, std::size_t count);
// Per-character advances from the per-unit ones a record stores; empty when they do not
// cover the text.
std::vector<double> character_advances(const DecodedText& text, const std::vector<double>& unit_advances);

}
