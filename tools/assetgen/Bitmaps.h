#pragma once
// Hand-laid bitmap files: 24-bit BMP pictures and paletted ICO/CUR images with an AND mask.
#include "ByteWriter.h"

#include <QImage>
#include <QPoint>
#include <QRgb>

#include <vector>

namespace assetgen {

// A picture as palette indices; kClear marks pixels the AND mask lets through.
struct IndexedImage {
    static constexpr int kClear = -1;
    int width = 0;
    int height = 0;
    std::vector<QRgb> palette; // 2 or 16 entries: 1 or 4 bits a pixel
    std::vector<int> pixels;   // row by row from the top

    int at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

// BITMAPFILEHEADER + BITMAPINFOHEADER, bottom-up rows padded to 4 bytes.
Bytes encode_bmp24(const QImage& image);

Bytes encode_icon(const IndexedImage& image);
Bytes encode_cursor(const IndexedImage& image, QPoint hot_spot);

}
