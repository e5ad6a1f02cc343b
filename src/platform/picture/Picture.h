#pragma once
// A picture object: shared, immutable, possibly "no picture". Its pixels are either held
// whole or made from a source when they are first drawn, then only the part a painter shows.
#include <memory>
#include <string>

class QPainter;
class QPixmap;
class QPoint;
class QRect;

namespace platform {

class Animation;
class PictureSource;

class Picture {
public:
    Picture() = default;
    explicit Picture(std::shared_ptr<const QPixmap> pixmap);
    // An animated picture shows its first frame until a control plays the animation.
    explicit Picture(std::shared_ptr<const PictureSource> source, std::shared_ptr<const Animation> animation = nullptr);

    bool empty() const { return !m_state; }
    // Nothing for a still picture.
    std::shared_ptr<const Animation> animation() const;
    int width_px() const;
    int height_px() const;
    // "None", or "<width>x<height>" in pixels.
    std::string size_text() const;
    // The whole picture; one made from a source is made on first use and kept.
    const QPixmap* pixmap() const;
    // Draws the picture unscaled, its top-left corner at `at`: only the part inside the
    // painter's device is made.
    void draw(QPainter& painter, const QPoint& at) const;
    // Whether drawn at `at` it hides everything beneath `area`: a still picture of its own
    // pixels, without transparency, that reaches over the whole area.
    bool hides(const QRect& area, const QPoint& at) const;

    friend bool operator==(const Picture& a, const Picture& b) { return a.m_state == b.m_state; }

private:
    struct State;
    std::shared_ptr<State> m_state;
};

}
