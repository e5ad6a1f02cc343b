#include "platform/metafile/MetafilePicture.h"

#include "platform/metafile/EmfPlayer.h"
#include "platform/metafile/WmfPlayer.h"

#include <QPainter>

namespace platform {

namespace {

Bytes bytes_of(const QByteArray& bytes)
{
    return Bytes({ reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size()) });
}

class MetafileSource : public PictureSource {
public:
    MetafileSource(QByteArray bytes, QSize size) : m_bytes(std::move(bytes)), m_size(size) { }

    QSize size() const override { return m_size; }
    // Played onto a white page; a file that draws nothing shows white, as on paper.
    QImage render(const QRect& area) const override
    {
        QImage image(area.size(), QImage::Format_ARGB32_Premultiplied);
        if (image.isNull())
            return image;
        image.fill(Qt::white);
        QPainter painter(&image);
        try {
            play(painter, QTransform::fromTranslate(-area.x(), -area.y()));
        } catch (const DamagedPicture&) {
            // checked when loaded; a part drawn at another place is kept as far as it went
        }
        return image;
    }

    void play(QPainter& painter, const QTransform& picture_to_painter) const
    {
        const Bytes file = bytes_of(m_bytes);
        if (is_emf(file))
            play_emf(file, painter, picture_to_painter);
        else
            play_wmf(file, painter, picture_to_painter);
    }

private:
    QByteArray m_bytes;
    QSize m_size;
};

QSize natural_size(Bytes file)
{
    return is_emf(file) ? emf_natural_size(read_emf_header(file)) : read_wmf_layout(file).size;
}

}

bool is_metafile(const QByteArray& bytes)
{
    const Bytes file = bytes_of(bytes);
    return is_emf(file) || is_wmf(file);
}

std::shared_ptr<const PictureSource> decode_metafile(const QByteArray& bytes, std::string* refusal)
{
    try {
        auto source = std::make_shared<MetafileSource>(bytes, natural_size(bytes_of(bytes)));
        QImage check(1, 1, QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&check);
        source->play(painter, QTransform());
        return source;
    } catch (const DamagedPicture& damage) {
        if (refusal)
            *refusal = damage.what();
        return nullptr;
    }
}

}
