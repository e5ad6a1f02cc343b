#pragma once
// An icon design: filled rectangles, square-cornered or rounded, on a square grid, painted
// in order over a clear ground. Keeping the shapes instead of pixels lets every size be
// drawn from the design itself.
#include "Bitmaps.h"

#include <QImage>
#include <QRectF>

#include <string>
#include <vector>

namespace assetgen {

struct IconDesign {
    struct Fill {
        QRectF area;
        double radius; // of the corners, in grid units
        int ink;       // palette index
    };
    int grid = 0;
    std::vector<QRgb> palette;
    std::vector<Fill> fills;

    // Fills the cells of columns left..right and rows top..bottom, both inclusive.
    void fill(int left, int top, int right, int bottom, int ink)
    {
        fills.push_back({QRectF(left, top, right - left + 1, bottom - top + 1), 0.0, ink});
    }
    void dot(int x, int y, int ink) { fill(x, y, x, y, ink); }
    void rounded(double left, double top, double width, double height, double radius, int ink)
    {
        fills.push_back({QRectF(left, top, width, height), radius, ink});
    }
};

// Palette indices at `scale` pixels a cell, for icon and cursor files; the design must be
// made of whole square-cornered cells.
IndexedImage rasterise(const IconDesign& design, int scale);

// A transparent picture `pixel_size` square; edges falling between pixels are blended.
QImage render(const IconDesign& design, int pixel_size);

// The same shapes as a scalable SVG document.
std::string to_svg(const IconDesign& design);

}
