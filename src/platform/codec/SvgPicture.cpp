#include "platform/codec/SvgPicture.h"
#include "platform/codec/PictureLimits.h"

#include "platform/codec/PictureFormat.h"
#include "platform/codec/SvgContent.h"

#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>

#include <cmath>

namespace platform {

namespace {

constexpr double PixelsPerInch = 96.0;

// A length of the root element in pixels at 96 dpi; nothing for none, a percentage or nonsense.
std::optional<double> pixels_of(const QString& length)
{
    static const QRegularExpression pattern(R"(^\s*([0-9]*\.?[0-9]+(?:[eE][-+]?[0-9]+)?)\s*(px|in|cm|mm|pt|pc)?\s*$)");
    const QRegularExpressionMatch match = pattern.match(length);
    if (!match.hasMatch())
        return std::nullopt;
    const QString unit = match.captured(2);
    const double per_unit = unit == "in" ? PixelsPerInch
        : unit == "cm"                   ? PixelsPerInch / 2.54
        : unit == "mm"                   ? PixelsPerInch / 25.4
        : unit == "pt"                   ? PixelsPerInch / 72
        : unit == "pc"                   ? PixelsPerInch / 6
                                         : 1.0;
    return match.captured(1).toDouble() * per_unit;
}

// The viewBox's width and height; an empty size for none.
QSizeF view_box_size(const QString& view_box)
{
    static const QRegularExpression separators(R"([\s,]+)");
    const QStringList numbers = view_box.split(separators, Qt::SkipEmptyParts);
    return numbers.size() == 4 ? QSizeF(numbers[2].toDouble(), numbers[3].toDouble()) : QSizeF();
}

// The width and height given, else the viewBox's; none for a drawing without either.
QSize natural_size(const SvgContent& content)
{
    const QSizeF box = view_box_size(content.view_box);
    const double width = pixels_of(content.width).value_or(box.width());
    const double height = pixels_of(content.height).value_or(box.height());
    if (!(width <= MaxDrawingSide && height <= MaxDrawingSide))
        return {};
    return QSize(qRound(width), qRound(height));
}

class SvgSource : public PictureSource {
public:
    // An empty size for a drawing Qt cannot draw or one too big.
    SvgSource(const QByteArray& bytes, const SvgContent& content)
        : m_renderer(bytes), m_size(m_renderer.isValid() ? natural_size(content) : QSize())
    {
    }

    QSize size() const override { return m_size; }
    bool scalable() const override { return true; }
    QImage render(const QRect& area) const override { return render_at(area, 1.0); }
    // Transparent where the drawing does not draw, like the drawing itself.
    QImage render_at(const QRect& area, qreal scale) const override
    {
        QImage image((QSizeF(area.size()) * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
        if (image.isNull())
            return image;
        image.setDevicePixelRatio(scale);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        m_renderer.render(&painter, QRectF(QPointF(-area.topLeft()), QSizeF(m_size)));
        return image;
    }

private:
    mutable QSvgRenderer m_renderer;
    QSize m_size;
};

}

bool is_svg(const QByteArray& bytes) { return signature_format(bytes) == "svg"; }

std::shared_ptr<const PictureSource> decode_svg(const QByteArray& bytes)
{
    const std::optional<SvgContent> content = read_svg_content(bytes);
    if (!content)
        return nullptr;
    auto source = std::make_shared<SvgSource>(bytes, *content);
    if (source->size().isEmpty())
        return nullptr;
    return source;
}

}
