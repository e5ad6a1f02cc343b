#pragma once
// A picture object: shared, immutable, possibly "no picture".
#include <memory>
#include <string>

class QPixmap;

namespace platform {

class Picture {
public:
    Picture() = default;
    explicit Picture(std::shared_ptr<const QPixmap> pixmap);

    bool empty() const { return !m_pixmap; }
    int width_px() const;
    int height_px() const;
    // "None", or "<width>x<height>" in pixels.
    std::string size_text() const;
    const QPixmap* pixmap() const { return m_pixmap.get(); }

    friend bool operator==(const Picture& a, const Picture& b) { return a.m_pixmap == b.m_pixmap; }

private:
    std::shared_ptr<const QPixmap> m_pixmap;
};

}
