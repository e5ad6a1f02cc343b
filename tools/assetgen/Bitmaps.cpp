#include "Bitmaps.h"

#include <cmath>
#include <stdexcept>

namespace assetgen {
namespace {

constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::int32_t kPixelsPerMetre = 3780; // 96 dpi at 1x

int row_stride(int width, int bits_per_pixel) { return (width * bits_per_pixel + 31) / 32 * 4; }

void write_info_header(ByteWriter& out, int width, int height, int bits_per_pixel,
                       std::uint32_t image_bytes, std::int32_t pixels_per_metre)
{
    out.u32(kInfoHeaderSize);
    out.i32(width);
    out.i32(height);
    out.u16(1); // planes
    out.u16(static_cast<std::uint16_t>(bits_per_pixel));
    out.u32(0); // uncompressed
    out.u32(image_bytes);
    out.i32(pixels_per_metre);
    out.i32(pixels_per_metre);
    out.u32(0); // a full palette for the bit depth
    out.u32(0); // all colours important
}

int bits_for_palette(const IndexedImage& image)
{
    if (image.palette.size() == 2)
        return 1;
    if (image.palette.size() == 16)
        return 4;
    throw std::invalid_argument("icon palettes have 2 or 16 colours");
}

void pad_row(ByteWriter& out, std::size_t row_start)
{
    while ((out.size() - row_start) % 4 != 0)
        out.u8(0);
}

// Packs one row of values of `bits` each, most significant first, padded to 4 bytes.
template <typename ValueAt>
void write_packed_row(ByteWriter& out, int width, int bits, ValueAt value_at)
{
    const std::size_t row_start = out.size();
    int accumulator = 0;
    int filled = 0;
    for (int x = 0; x < width; ++x) {
        accumulator = (accumulator << bits) | value_at(x);
        filled += bits;
        if (filled == 8) {
            out.u8(static_cast<std::uint8_t>(accumulator));
            accumulator = 0;
            filled = 0;
        }
    }
    if (filled != 0)
        out.u8(static_cast<std::uint8_t>(accumulator << (8 - filled)));
    pad_row(out, row_start);
}

// BITMAPINFOHEADER of double height, palette, colour (XOR) rows, then the AND mask.
Bytes encode_icon_image(const IndexedImage& image)
{
    const int bits = bits_for_palette(image);
    const auto image_bytes = static_cast<std::uint32_t>(
        (row_stride(image.width, bits) + row_stride(image.width, 1)) * image.height);
    ByteWriter out;
    write_info_header(out, image.width, image.height * 2, bits, image_bytes, 0);
    for (QRgb colour : image.palette) {
        out.u8(static_cast<std::uint8_t>(qBlue(colour)));
        out.u8(static_cast<std::uint8_t>(qGreen(colour)));
        out.u8(static_cast<std::uint8_t>(qRed(colour)));
        out.u8(0);
    }
    for (int y = image.height - 1; y >= 0; --y)
        write_packed_row(out, image.width, bits, [&](int x) {
            const int index = image.at(x, y);
            return index == IndexedImage::kClear ? 0 : index;
        });
    for (int y = image.height - 1; y >= 0; --y)
        write_packed_row(out, image.width, 1,
                         [&](int x) { return image.at(x, y) == IndexedImage::kClear ? 1 : 0; });
    return out.take();
}

enum class IconType : std::uint16_t { Icon = 1, Cursor = 2 };

// ICONDIR with one ICONDIRENTRY; `field_a`/`field_b` are planes and bit count for an icon,
// the hot spot for a cursor.
Bytes encode_icon_file(const IndexedImage& image, IconType type, std::uint16_t field_a,
                       std::uint16_t field_b)
{
    const Bytes data = encode_icon_image(image);
    ByteWriter out;
    out.u16(0);
    out.u16(static_cast<std::uint16_t>(type));
    out.u16(1);
    out.u8(static_cast<std::uint8_t>(image.width));
    out.u8(static_cast<std::uint8_t>(image.height));
    out.u8(static_cast<std::uint8_t>(image.palette.size()));
    out.u8(0);
    out.u16(field_a);
    out.u16(field_b);
    out.u32(static_cast<std::uint32_t>(data.size()));
    out.u32(6 + 16); // the image follows the directory
    out.append(data);
    return out.take();
}

}

Bytes encode_bmp24(const QImage& picture)
{
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    const int stride = row_stride(image.width(), 24);
    const auto image_bytes = static_cast<std::uint32_t>(stride * image.height());
    constexpr std::uint32_t kPixelOffset = 14 + kInfoHeaderSize;

    ByteWriter out;
    out.tag("BM");
    out.u32(kPixelOffset + image_bytes);
    out.u32(0); // reserved
    out.u32(kPixelOffset);
    const auto pixels_per_metre = static_cast<std::int32_t>(std::lround(kPixelsPerMetre * image.devicePixelRatio()));
    write_info_header(out, image.width(), image.height(), 24, image_bytes, pixels_per_metre);
    for (int y = image.height() - 1; y >= 0; --y) {
        const std::size_t row_start = out.size();
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            out.u8(static_cast<std::uint8_t>(qBlue(row[x])));
            out.u8(static_cast<std::uint8_t>(qGreen(row[x])));
            out.u8(static_cast<std::uint8_t>(qRed(row[x])));
        }
        pad_row(out, row_start);
    }
    return out.take();
}

Bytes encode_icon(const IndexedImage& image)
{
    return encode_icon_file(image, IconType::Icon, 1,
                            static_cast<std::uint16_t>(bits_for_palette(image)));
}

Bytes encode_cursor(const IndexedImage& image, QPoint hot_spot)
{
    return encode_icon_file(image, IconType::Cursor, static_cast<std::uint16_t>(hot_spot.x()),
                            static_cast<std::uint16_t>(hot_spot.y()));
}

}
