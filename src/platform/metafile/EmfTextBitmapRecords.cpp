// Enhanced metafile records that draw text and bitmaps.
#include "platform/codec/Dib.h"
#include "platform/metafile/EmfRecords.h"
#include "platform/metafile/MetafileCanvas.h"
#include "platform/metafile/MetafileText.h"

namespace platform::emf {

namespace {

std::vector<double> unit_advances(Bytes record, std::uint32_t offset, std::size_t count, std::uint32_t options)
{
    if (offset == 0)
        return {};
    const std::size_t step = options & TextRun::AdvancesInPairs ? 2 : 1;
    if (!record.has(offset, count * step * 4))
        return {};
    std::vector<double> advances;
    for (std::size_t i = 0; i < count; ++i)
        advances.push_back(record.i32(offset + i * step * 4));
    return advances;
}

// bounds, graphics mode, scales, then the text: reference, count, string offset, options,
// rectangle, advances offset.
void text_record(MetafileCanvas& canvas, EmfRecord type, Bytes record)
{
    const std::uint32_t count = record.u32(44), offset = record.u32(48), options = record.u32(52);
    const bool wide = type == EmfRecord::ExtTextOutW;
    const Bytes string = record.part(offset, std::size_t { count } * (wide ? 2 : 1));
    const DecodedText decoded = wide ? decode_wide_text(string, count)
                                     : decode_ansi_text_or_marks(string, canvas.dc().font.charset);
    TextRun run;
    run.reference = point_at(record, 36);
    run.characters = decoded.characters;
    run.advances = character_advances(decoded, unit_advances(record, record.u32(72), count, options));
    run.options = options;
    run.rect = rect_at(record, 56);
    canvas.text(run);
}

Dib record_dib(Bytes record, std::size_t fields)
{
    const std::uint32_t info_at = record.u32(fields), info_size = record.u32(fields + 4);
    const std::uint32_t bits_at = record.u32(fields + 8), bits_size = record.u32(fields + 12);
    return decode_dib(record.part(info_at, info_size), record.part(bits_at, bits_size));
}

// bounds, destination, source, source size, bitmap fields, usage, raster operation, destination size
void stretch_dib_bits(MetafileCanvas& canvas, Bytes record)
{
    const Dib dib = record_dib(record, 48);
    const QRectF destination(record.i32(24), record.i32(28), record.i32(72), record.i32(76));
    canvas.bitmap(destination, dib.image, dib.source(record.i32(32), record.i32(36), record.i32(40), record.i32(44)),
                  record.u32(68));
}

// bounds, destination, raster operation, source, source transform and colour, usage, bitmap
// fields, and for a stretch the source size. No bitmap: the raster operation alone.
void blt(MetafileCanvas& canvas, Bytes record, bool stretch)
{
    const QRectF destination(record.i32(24), record.i32(28), record.i32(32), record.i32(36));
    const std::uint32_t rop = record.u32(40);
    if (record.u32(88) == 0) {
        canvas.pattern_fill(destination, rop);
        return;
    }
    const Dib dib = record_dib(record, 84);
    const QSizeF source_size = stretch ? QSizeF(record.i32(100), record.i32(104)) : destination.size();
    canvas.bitmap(destination, dib.image,
                  dib.source(record.i32(44), record.i32(48), source_size.width(), source_size.height()), rop);
}

}

bool play_text_record(MetafileCanvas& canvas, EmfRecord type, Bytes record)
{
    if (type != EmfRecord::ExtTextOutA && type != EmfRecord::ExtTextOutW)
        return false;
    text_record(canvas, type, record);
    return true;
}

bool play_bitmap_record(MetafileCanvas& canvas, EmfRecord type, Bytes record)
{
    switch (type) {
    case EmfRecord::BitBlt: blt(canvas, record, false); break;
    case EmfRecord::StretchBlt: blt(canvas, record, true); break;
    case EmfRecord::StretchDiBits: stretch_dib_bits(canvas, record); break;
    default: return false;
    }
    return true;
}

}
