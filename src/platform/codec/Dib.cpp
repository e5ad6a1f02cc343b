#include "platform/codec/Dib.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdlib>
#include <optional>
#include <vector>

namespace platform {

namespace {

constexpr std::uint32_t BI_RGB = 0;
constexpr std::uint32_t BI_BITFIELDS = 3;
constexpr std::uint32_t CoreHeaderSize = 12;

struct DibHeader {
    std::int64_t width { 0 };
    std::int64_t height { 0 }; // negative: top row first
    int bits_per_pixel { 0 };
    std::uint32_t compression { BI_RGB };
    std::uint32_t header_size { 0 };
    std::size_t colours { 0 };
    int colour_entry_size { 4 };
};

DibHeader read_header(Bytes info, std::int64_t most_pixels)
{
    DibHeader header;
    header.header_size = info.u32(0);
    if (header.header_size == CoreHeaderSize) {
        header.width = info.u16(4);
        header.height = info.i16(6);
        header.bits_per_pixel = info.u16(10);
        header.colour_entry_size = 3;
    } else {
        require(header.header_size >= 40);
        header.width = info.i32(4);
        header.height = info.i32(8);
        header.bits_per_pixel = info.u16(14);
        header.compression = info.u32(16);
        header.colours = info.u32(32);
    }
    require(header.width > 0 && header.height != 0);
    require(header.width * std::abs(header.height) <= most_pixels);
    if (header.bits_per_pixel <= 8 && header.colours == 0)
        header.colours = std::size_t { 1 } << header.bits_per_pixel;
    return header;
}

// Uncompressed rows and bit fields are drawn; run-length, JPEG and PNG rows are not.
bool drawn(const DibHeader& header)
{
    const int bpp = header.bits_per_pixel;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        return false;
    return header.compression == BI_RGB || (header.compression == BI_BITFIELDS && bpp >= 16);
}

std::vector<QRgb> colour_table(Bytes info, const DibHeader& header)
{
    std::vector<QRgb> table;
    if (header.bits_per_pixel > 8)
        return table;
    require(header.colours <= 256);
    const std::size_t start = header.header_size;
    for (std::size_t i = 0; i < header.colours; ++i) {
        const std::size_t at = start + i * header.colour_entry_size;
        table.push_back(qRgb(info.u8(at + 2), info.u8(at + 1), info.u8(at)));
    }
    table.resize(std::size_t { 1 } << header.bits_per_pixel, qRgb(0, 0, 0));
    return table;
}

// The three masks of a 16- or 32-bit bitfields bitmap, after the 40-byte header.
std::array<std::uint32_t, 3> bitfield_masks(Bytes info, const DibHeader& header)
{
    if (header.compression == BI_BITFIELDS)
        return { info.u32(40), info.u32(44), info.u32(48) };
    if (header.bits_per_pixel == 16)
        return { 0x7C00, 0x03E0, 0x001F };
    return { 0xFF0000, 0x00FF00, 0x0000FF };
}

int channel(std::uint32_t pixel, std::uint32_t mask)
{
    if (mask == 0)
        return 0;
    const int shift = std::countr_zero(mask);
    const std::uint32_t max = mask >> shift;
    return static_cast<int>(((pixel & mask) >> shift) * 255 / max);
}

QRgb pixel_at(Bytes row, std::int64_t x, const DibHeader& header, const std::vector<QRgb>& table,
              const std::array<std::uint32_t, 3>& masks)
{
    const int bpp = header.bits_per_pixel;
    if (bpp <= 8) {
        const std::int64_t bit = x * bpp;
        const int byte = row.u8(static_cast<std::size_t>(bit / 8));
        const int index = (byte >> (8 - bpp - bit % 8)) & ((1 << bpp) - 1);
        return table[static_cast<std::size_t>(index)];
    }
    const auto at = static_cast<std::size_t>(x * (bpp / 8));
    if (bpp == 24)
        return qRgb(row.u8(at + 2), row.u8(at + 1), row.u8(at));
    const std::uint32_t value = bpp == 16 ? row.u16(at) : row.u32(at);
    return qRgb(channel(value, masks[0]), channel(value, masks[1]), channel(value, masks[2]));
}

}

QRectF Dib::source(double x, double y, double width, double height) const
{
    if (!bottom_up)
        return { x, y, width, height };
    return { x, image.height() - y - height, width, height };
}

std::optional<QSize> dib_size(Bytes info, std::int64_t most_pixels)
{
    const DibHeader header = read_header(info, most_pixels);
    require(header.height > 0 || drawn(header)); // compressed rows run from the bottom only
    if (!drawn(header))
        return std::nullopt;
    return QSize(static_cast<int>(header.width), static_cast<int>(std::abs(header.height)));
}

Dib decode_packed_dib(Bytes dib)
{
    const DibHeader header = read_header(dib, MaxDibPixels);
    const std::size_t masks = header.compression == BI_BITFIELDS && header.header_size == 40 ? 12 : 0;
    const std::size_t table = header.bits_per_pixel <= 8 ? header.colours * header.colour_entry_size : 0;
    return decode_dib(dib, dib.from(header.header_size + masks + table));
}

namespace {

std::int64_t stride_of(const DibHeader& header) { return (header.width * header.bits_per_pixel + 31) / 32 * 4; }

QRect part_of(const DibHeader& header, const QRect& area)
{
    const QRect whole(0, 0, static_cast<int>(header.width), static_cast<int>(std::abs(header.height)));
    return area.isNull() ? whole : area.intersected(whole);
}

std::int64_t stored_row(const DibHeader& header, int y)
{
    return header.height < 0 ? y : std::abs(header.height) - 1 - y;
}

// The bus's own pictures and most others: blue, green, red, three bytes a pixel.
bool plain_24_bit(const DibHeader& header) { return header.bits_per_pixel == 24 && header.compression == BI_RGB; }

// The row was checked whole when it was taken, so its pixels need no check of their own.
void copy_24_bit_row(Bytes row, const QRect& part, QRgb* line)
{
    const std::uint8_t* pixel = row.data() + std::size_t(part.left()) * 3;
    for (int x = 0; x < part.width(); ++x, pixel += 3)
        line[x] = qRgb(pixel[2], pixel[1], pixel[0]);
}

// `bits` hold the stored rows from `first_stored` on.
Dib decode_rows(const DibHeader& header, Bytes info, Bytes bits, std::int64_t first_stored, const QRect& part)
{
    const std::vector<QRgb> table = colour_table(info, header);
    const auto masks = bitfield_masks(info, header);
    const std::int64_t stride = stride_of(header);
    QImage image(part.size(), QImage::Format_RGB32);
    require(!image.isNull() || part.isEmpty());
    for (int y = part.top(); y <= part.bottom(); ++y) {
        const std::int64_t stored = stored_row(header, y) - first_stored;
        const Bytes row = bits.part(static_cast<std::size_t>(stored * stride), static_cast<std::size_t>(stride));
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y - part.top()));
        if (plain_24_bit(header)) {
            copy_24_bit_row(row, part, line);
            continue;
        }
        for (int x = part.left(); x <= part.right(); ++x)
            line[x - part.left()] = pixel_at(row, x, header, table, masks);
    }
    return { image, header.height > 0 };
}

}

Dib decode_dib(Bytes info, Bytes bits, const QRect& area, std::int64_t most_pixels)
{
    const DibHeader header = read_header(info, most_pixels);
    if (!drawn(header))
        return {};
    require(bits.has(0, static_cast<std::size_t>(stride_of(header) * std::abs(header.height))));
    return decode_rows(header, info, bits, 0, part_of(header, area));
}

DibRows dib_rows(Bytes info, const QRect& area, std::int64_t most_pixels)
{
    const DibHeader header = read_header(info, most_pixels);
    const QRect part = part_of(header, area);
    DibRows rows { 0, 0, stride_of(header), std::abs(header.height) };
    if (!part.isEmpty()) {
        const std::int64_t top = stored_row(header, part.top()), bottom = stored_row(header, part.bottom());
        rows.first = std::min(top, bottom);
        rows.count = std::abs(top - bottom) + 1;
    }
    return rows;
}

Dib decode_dib_rows(Bytes info, Bytes rows, const DibRows& span, const QRect& area, std::int64_t most_pixels)
{
    const DibHeader header = read_header(info, most_pixels);
    if (!drawn(header))
        return {};
    return decode_rows(header, info, rows, span.first, part_of(header, area));
}

}
