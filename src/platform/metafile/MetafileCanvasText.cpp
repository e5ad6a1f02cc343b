// Text records drawn on the canvas: the font at its size in the picture, the alignment to
// the reference point, the per-character advances, the background.
#include "platform/metafile/MetafileCanvas.h"
#include "platform/metafile/MetafileText.h"

#include "platform/text/FontFaces.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <cmath>
#include <numeric>

namespace platform {

namespace {

constexpr std::uint32_t TA_UPDATECP = 1, TA_RIGHT = 2, TA_CENTER = 6, TA_BOTTOM = 8, TA_BASELINE = 24;
constexpr double MaxFontPixels = 4096;
constexpr double DefaultFontPixels = 16; // the system font a record gets with height 0

// The length a logical vector takes in the picture.
double mapped_length(const QTransform& transform, QPointF vector)
{
    const QPointF mapped = transform.map(vector) - transform.map(QPointF(0, 0));
    return std::hypot(mapped.x(), mapped.y());
}

// The font at `pixels` em size; a cell height (positive lfHeight) is turned into an em size.
QFont picture_font(const GdiFont& gdi, double pixels, const QPaintDevice& device)
{
    QFont font(QString::fromStdString(drawn_face(gdi.face.toStdString())));
    font.setWeight(static_cast<QFont::Weight>(std::clamp(gdi.weight == 0 ? 400 : gdi.weight, 1, 1000)));
    font.setItalic(gdi.italic);
    font.setUnderline(gdi.underline);
    font.setStrikeOut(gdi.strike_out);
    const double dpi = device.logicalDpiY() > 0 ? device.logicalDpiY() : 96;
    font.setPointSizeF(pixels * 72 / dpi);
    if (gdi.height > 0) {
        const QFontMetricsF metrics(font, &device);
        font.setPointSizeF(pixels * pixels / std::max(metrics.height(), 0.01) * 72 / dpi);
    }
    return font;
}

}

void MetafileCanvas::text(const TextRun& run)
{
    const QTransform transform = logical_to_picture();
    const double logical_height = m_dc.font.height == 0 ? 0 : std::abs(m_dc.font.height);
    const double pixels = logical_height == 0 ? DefaultFontPixels : mapped_length(transform, { 0, logical_height });
    if (!(pixels >= 0.5 && pixels <= MaxFontPixels) || run.characters.empty())
        return;
    const QFont font = picture_font(m_dc.font, pixels, *m_painter.device());
    const QPointF baseline = transform.map(QPointF(1, 0)) - transform.map(QPointF(0, 0));
    const double angle = std::atan2(baseline.y(), baseline.x()) * 180 / M_PI - m_dc.font.escapement / 10;
    const double hscale = mapped_length(transform, { 1, 0 });
    const bool use_position = m_dc.text_align & TA_UPDATECP;
    const QPointF origin = transform.map(use_position ? m_dc.position : run.reference);

    if (run.rect && (run.options & TextRun::Opaque)) {
        m_painter.setClipping(false);
        m_painter.fillRect(transform.mapRect(run.rect->normalized()), m_dc.back_color);
        apply_clip();
    }
    m_painter.save();
    if (run.rect && (run.options & TextRun::Clipped))
        m_painter.setClipRect(transform.mapRect(run.rect->normalized()), Qt::IntersectClip);
    draw_text_at(run, font, origin, angle, hscale);
    m_painter.restore();
    if (use_position && !run.advances.empty())
        m_dc.position.rx() += std::accumulate(run.advances.begin(), run.advances.end(), 0.0);
}

void MetafileCanvas::draw_text_at(const TextRun& run, const QFont& font, QPointF origin, double angle, double hscale)
{
    const QFontMetricsF metrics(font, m_painter.device());
    std::vector<double> offsets; // each character's start along the baseline, in pixels
    double width = 0;
    for (std::size_t i = 0; i < run.characters.size(); ++i) {
        offsets.push_back(width);
        width += run.advances.empty() ? metrics.horizontalAdvance(run.characters[i]) : run.advances[i] * hscale;
    }
    const std::uint32_t horizontal = m_dc.text_align & TA_CENTER, vertical = m_dc.text_align & TA_BASELINE;
    const double x = horizontal == TA_CENTER ? -width / 2 : horizontal == TA_RIGHT ? -width : 0;
    const double y = vertical == TA_BASELINE ? 0 : vertical == TA_BOTTOM ? -metrics.descent() : metrics.ascent();

    m_painter.translate(origin);
    m_painter.rotate(angle);
    if (m_dc.opaque_back && !(run.options & TextRun::Opaque))
        m_painter.fillRect(QRectF(x, y - metrics.ascent(), width, metrics.height()), m_dc.back_color);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
    m_painter.setRenderHint(QPainter::Antialiasing, true);
    m_painter.setFont(font);
    m_painter.setPen(m_dc.text_color);
    for (std::size_t i = 0; i < run.characters.size(); ++i)
        m_painter.drawText(QPointF(x + offsets[i], y), run.characters[i]);
}

}
