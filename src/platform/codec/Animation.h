#pragma once
// Animated pictures (GIF, APNG, WebP of more than one frame): the file's bytes are kept and
// its frames decoded one at a time, in order, as they are shown; never all held at once.
#include <QByteArray>
#include <QImage>

#include <memory>
#include <optional>

namespace platform {

struct AnimationFrame {
    QImage image; // the whole canvas as this frame leaves it
    int delay_ms { 0 }; // as the file gives it
};

// The frames of one play, from the first; after the last, a damaged frame or the most frames
// an animation may have, nothing.
class FrameReader {
public:
    virtual ~FrameReader() = default;
    std::optional<AnimationFrame> next();

protected:
    virtual std::optional<AnimationFrame> read_next() = 0;

private:
    int m_read { 0 };
};

class Animation {
public:
    virtual ~Animation() = default;
    virtual QSize size() const = 0;
    // How many times the frames are played; 0 for ever.
    virtual int plays() const = 0;
    virtual std::unique_ptr<FrameReader> frames() const = 0;
};

// Nothing for a still picture, or an animation that is damaged or would cost too much.
std::shared_ptr<const Animation> decode_animation(const QByteArray& bytes);

}
