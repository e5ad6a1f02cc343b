#pragma once
// The text of a metafile's text records: characters decoded by the font's character set,
// each with the advance the record gives it.
#include "platform/codec/ByteReader.h"

#include <QPointF>
#include <QRectF>
#include <QString>

#include <optional>
#include <vector>

namespace platform {

struct TextRun {
    QPointF reference;                 // logical
    std::vector<QString> characters;   // one entry a character (a surrogate pair stays whole)
    std::vector<double> advances;      // logical, one a character; empty: the font's own
    std::uint32_t options { 0 };       // ETO_OPAQUE, ETO_CLIPPED
    std::optional<QRectF> rect;        // logical
};

// Characters, and how many stored units (bytes or UTF-16 units) each took.
struct DecodedText {
    std::vector<QString> characters;
    std::vector<std::size_t> units;
};

// 8-bit text in the code page of a font's lfCharSet (Shift_JIS as CP932, GB2312 as GBK,
// Big5, Korean and the single-byte Windows code pages; anything else as CP1252).
DecodedText decode_ansi_text(Bytes bytes, int charset);
// UTF-16 text of `count` units.
DecodedText decode_wide_text(Bytes bytes, std::size_t count);
// Per-character advances from the per-unit ones a record stores; empty when they do not
// cover the text.
std::vector<double> character_advances(const DecodedText& text, const std::vector<double>& unit_advances);

}
