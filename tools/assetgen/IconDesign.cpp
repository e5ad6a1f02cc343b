#include "IconDesign.h"

#include <QPainter>

#include <cstdio>
#include <stdexcept>

namespace assetgen {

IndexedImage rasterise(const IconDesign& design, int scale)
{
    IndexedImage image;
    image.width = image.height = design.grid * scale;
    image.palette = design.palette;
    image.pixels.assign(static_cast<std::size_t>(image.width * image.height), IndexedImage::kClear);
    for (const auto& [area, radius, ink] : design.fills) {
        const QRect cells = area.toRect();
        if (radius != 0.0 || QRectF(cells) != area)
            throw std::invalid_argument("only whole cells can be rasterised");
        for (int y = cells.top() * scale; y < (cells.bottom() + 1) * scale; ++y)
            for (int x = cells.left() * scale; x < (cells.right() + 1) * scale; ++x)
                image.pixels[static_cast<std::size_t>(y * image.width + x)] = ink;
    }
    return image;
}

QImage render(const IconDesign& design, int pixel_size)
{
    QImage image(pixel_size, pixel_size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(double(pixel_size) / design.grid, double(pixel_size) / design.grid);
    p.setPen(Qt::NoPen);
    for (const auto& [area, radius, ink] : design.fills) {
        p.setBrush(QColor::fromRgb(design.palette[static_cast<std::size_t>(ink)]));
        p.drawRoundedRect(area, radius, radius);
    }
    return image;
}

std::string to_svg(const IconDesign& design)
{
    char line[200];
    std::snprintf(line, sizeof line,
                  "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" viewBox=\"0 0 %d %d\">\n",
                  design.grid, design.grid, design.grid, design.grid);
    std::string svg = line;
    for (const auto& [area, radius, ink] : design.fills) {
        const QRgb rgb = design.palette[static_cast<std::size_t>(ink)];
        std::snprintf(line, sizeof line,
                      "<rect x=\"%g\" y=\"%g\" width=\"%g\" height=\"%g\" rx=\"%g\" fill=\"#%02x%02x%02x\"/>\n",
                      area.x(), area.y(), area.width(), area.height(), radius, qRed(rgb), qGreen(rgb), qBlue(rgb));
        svg += line;
    }
    return svg + "</svg>\n";
}

}
