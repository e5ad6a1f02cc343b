#pragma once
// Where a picture's pixels come from when they are made only as they are needed: a
// metafile played, or a part of a big photograph decoded.
#include <QImage>
#include <QRect>
#include <QSize>

namespace platform {

class PictureSource {
public:
    virtual ~PictureSource() = default;
    virtual QSize size() const = 0;
    // The pixels of `area` (inside the picture); a null image when they cannot be made.
    virtual QImage render(const QRect& area) const = 0;
    // A drawing is made afresh for each screen scale, so it stays sharp; the others are enlarged.
    virtual bool scalable() const { return false; }
    // The pixels of `area` at `scale` device pixels to one of the picture's.
    virtual QImage render_at(const QRect& area, qreal /*scale*/) const { return render(area); }
};

}
