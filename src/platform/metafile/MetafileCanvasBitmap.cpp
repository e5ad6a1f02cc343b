// Bitmap records drawn on the canvas with their raster operation. A bitmap enlarged by a
// whole factor (or drawn at its size) keeps sharp pixels; other sizes are smoothed.
#include "platform/metafile/MetafileCanvas.h"

#include <QPainter>
#include <cmath>

namespace platform {

namespace {

constexpr std::uint32_t SRCAND = 0x8800C6, SRCPAINT = 0xEE0086, SRCINVERT = 0x660046,
                        NOTSRCCOPY = 0x330008, SRCERASE = 0x440328, NOTSRCERASE = 0x1100A6,
                        MERGEPAINT = 0xBB0226;
constexpr std::uint32_t BLACKNESS = 0x000042, WHITENESS = 0xFF0062, PATCOPY = 0xF00021, PATINVERT = 0x5A0049,
                        DSTINVERT = 0x550009;

QPainter::CompositionMode source_mode(std::uint32_t rop)
{
    switch (rop) {
    case SRCAND: return QPainter::RasterOp_SourceAndDestination;
    case SRCPAINT: return QPainter::RasterOp_SourceOrDestination;
    case SRCINVERT: return QPainter::RasterOp_SourceXorDestination;
    case NOTSRCCOPY: return QPainter::RasterOp_NotSource;
    case SRCERASE: return QPainter::RasterOp_SourceAndNotDestination;
    case NOTSRCERASE: return QPainter::RasterOp_NotSourceAndNotDestination;
    case MERGEPAINT: return QPainter::RasterOp_NotSourceOrDestination;
    default: return QPainter::CompositionMode_SourceOver; // SRCCOPY and the rarer ones
    }
}

bool whole_factor(double scale)
{
    const double size = std::abs(scale);
    return size >= 0.97 && std::abs(size - std::round(size)) <= 0.03 * std::round(size);
}

}

void MetafileCanvas::bitmap(const QRectF& destination, const QImage& image, const QRectF& source, std::uint32_t rop)
{
    if (image.isNull() || source.width() == 0 || source.height() == 0)
        return;
    const QTransform placed = QTransform::fromTranslate(-source.x(), -source.y())
        * QTransform::fromScale(destination.width() / source.width(), destination.height() / source.height())
        * QTransform::fromTranslate(destination.x(), destination.y()) * logical_to_picture();
    const bool sharp = placed.type() <= QTransform::TxScale && whole_factor(placed.m11()) && whole_factor(placed.m22());
    m_painter.save();
    m_painter.setTransform(placed);
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, !sharp);
    m_painter.setCompositionMode(source_mode(rop));
    m_painter.drawImage(source, image, source);
    m_painter.restore();
}

void MetafileCanvas::pattern_fill(const QRectF& destination, std::uint32_t rop)
{
    QBrush brush;
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
    switch (rop) {
    case BLACKNESS: brush = Qt::black; break;
    case WHITENESS: brush = Qt::white; break;
    case PATCOPY: brush = picture_brush(); break;
    case PATINVERT: brush = picture_brush(); mode = QPainter::RasterOp_SourceXorDestination; break;
    case DSTINVERT: brush = Qt::white; mode = QPainter::RasterOp_SourceXorDestination; break;
    default: return;
    }
    QPainterPath area;
    area.addRect(destination.normalized());
    m_painter.save();
    m_painter.setCompositionMode(mode);
    m_painter.fillPath(logical_to_picture().map(area), brush);
    m_painter.restore();
}

}
