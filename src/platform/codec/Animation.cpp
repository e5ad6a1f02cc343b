#include "platform/codec/Animation.h"
#include "platform/codec/PictureLimits.h"

#include "platform/codec/ApngFrames.h"
#include "platform/codec/PictureFormat.h"

#include <QBuffer>
#include <QImageReader>

namespace platform {

std::optional<AnimationFrame> FrameReader::next()
{
    if (m_read >= MaxAnimationFrames)
        return std::nullopt;
    ++m_read;
    return read_next();
}

namespace {

// A canvas decoded into, the frame given out and the screen's copy of it.
constexpr qint64 CanvasesHeld = 3;
constexpr qint64 DecodedPixelBytes = 4;

// GIF and WebP, through Qt's readers, which keep the canvas between frames themselves.
class QtFrameReader : public FrameReader {
public:
    QtFrameReader(const QByteArray& bytes, const QByteArray& format, QSize size)
        : m_bytes(bytes), m_reader(&m_buffer, format), m_size(size)
    {
        m_buffer.setData(m_bytes);
    }

protected:
    std::optional<AnimationFrame> read_next() override
    {
        QImage image = m_reader.read();
        if (image.isNull() || image.size() != m_size)
            return std::nullopt;
        return AnimationFrame { std::move(image), m_reader.nextImageDelay() };
    }

private:
    QByteArray m_bytes;
    QBuffer m_buffer;
    QImageReader m_reader;
    QSize m_size;
};

struct AnimationLayout {
    QByteArray format; // "apng" or a format of Qt's readers
    QSize size;
    int plays { 0 };
};

// Qt counts repeats after the first play, -1 for ever.
std::optional<AnimationLayout> read_qt_layout(const QByteArray& bytes)
{
    const QByteArray format = signature_format(bytes);
    if (format != "gif" && format != "webp")
        return std::nullopt;
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(false);
    if (!reader.supportsAnimation() || reader.imageCount() < 2)
        return std::nullopt;
    const int repeats = reader.loopCount();
    return AnimationLayout { format, reader.size(), repeats < 0 ? 0 : repeats + 1 };
}

std::optional<AnimationLayout> read_layout(const QByteArray& bytes)
{
    if (const std::optional<ApngLayout> apng = read_apng_layout(bytes))
        return AnimationLayout { "apng", apng->size, apng->plays };
    return read_qt_layout(bytes);
}

bool affordable(const AnimationLayout& layout, qint64 file_bytes)
{
    const qint64 pixels = qint64(layout.size.width()) * layout.size.height();
    return !layout.size.isEmpty() && pixels <= MaxPicturePixels
        && file_bytes + CanvasesHeld * pixels * DecodedPixelBytes <= MaxPictureBytes;
}

class FileAnimation : public Animation {
public:
    FileAnimation(QByteArray bytes, AnimationLayout layout) : m_bytes(std::move(bytes)), m_layout(std::move(layout)) { }

    QSize size() const override { return m_layout.size; }
    int plays() const override { return m_layout.plays; }
    std::unique_ptr<FrameReader> frames() const override
    {
        if (m_layout.format == "apng")
            return apng_frames(m_bytes);
        return std::make_unique<QtFrameReader>(m_bytes, m_layout.format, m_layout.size);
    }

private:
    QByteArray m_bytes;
    AnimationLayout m_layout;
};

}

std::shared_ptr<const Animation> decode_animation(const QByteArray& bytes)
{
    const std::optional<AnimationLayout> layout = read_layout(bytes);
    if (!layout || !affordable(*layout, bytes.size()))
        return nullptr;
    return std::make_shared<FileAnimation>(bytes, *layout);
}

}
