#pragma once
// A pixel design: filled cells on a square grid, painted in order over a clear ground.
// Keeping the cells instead of pixels lets every size be drawn from the design itself.
#include "Bitmaps.h"

#include <QImage>
#include <QRect>

#include <string>
#include <vector>

namespace assetgen {

struct PixelDesign {
    struct Fill {
        QRect cells;
        int ink; // palette index
    };
    int grid = 0;
    std::vector<QRgb> palette;
    std::vector<Fill> fills;

    // Fills columns left..right and rows top..bottom, both inclusive.
    void fill(int left, int top, int right, int bottom, int ink)
    {
        fills.push_back({QRect(QPoint(left, top), QPoint(right, bottom)), ink});
    }
    void dot(int x, int y, int ink) { fill(x, y, x, y, ink); }
};

// Palette indices at `scale` pixels a cell, for icon and cursor files.
IndexedImage rasterise(const PixelDesign& design, int scale);

// A transparent picture `pixel_size` square; cells falling between pixels are blended.
QImage render(const PixelDesign& design, int pixel_size);

// The same cells as a scalable SVG document.
std::string to_svg(const PixelDesign& design);

}
