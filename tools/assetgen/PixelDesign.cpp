#include "PixelDesign.h"

#include <QPainter>

#include <cstdio>

namespace assetgen {

IndexedImage rasterise(const PixelDesign& design, int scale)
{
    IndexedImage image;
    image.width = image.height = design.grid * scale;
    image.palette = design.palette;
    image.pixels.assign(static_cast<std::size_t>(image.width * image.height), IndexedImage::kClear);
    for (const auto& [cells, ink] : design.fills)
        for (int y = cells.top() * scale; y < (cells.bottom() + 1) * scale; ++y)
            for (int x = cells.left() * scale; x < (cells.right() + 1) * scale; ++x)
                image.pixels[static_cast<std::size_t>(y * image.width + x)] = ink;
    return image;
}

QImage render(const PixelDesign& design, int pixel_size)
{
    QImage image(pixel_size, pixel_size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(double(pixel_size) / design.grid, double(pixel_size) / design.grid);
    for (const auto& [cells, ink] : design.fills)
        p.fillRect(QRectF(cells), QColor::fromRgb(design.palette[static_cast<std::size_t>(ink)]));
    return image;
}

std::string to_svg(const PixelDesign& design)
{
    char line[160];
    std::snprintf(line, sizeof line,
                  "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" viewBox=\"0 0 %d %d\""
                  " shape-rendering=\"crispEdges\">\n",
                  design.grid, design.grid, design.grid, design.grid);
    std::string svg = line;
    for (const auto& [cells, ink] : design.fills) {
        const QRgb rgb = design.palette[static_cast<std::size_t>(ink)];
        std::snprintf(line, sizeof line, "<rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" fill=\"#%02x%02x%02x\"/>\n",
                      cells.x(), cells.y(), cells.width(), cells.height(), qRed(rgb), qGreen(rgb), qBlue(rgb));
        svg += line;
    }
    return svg + "</svg>\n";
}

}
