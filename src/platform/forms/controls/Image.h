#pragma once
// An image: a lightweight control showing a picture stretched to its size, or at the
// picture's own size (the control then takes that size).
#include "platform/forms/Lightweight.h"
#include "platform/picture/Picture.h"

#include <functional>
#include <map>
#include <memory>
#include <utility>

class QPixmap;
class QSize;

namespace platform {

class AnimationPlayer;

class Image : public LightweightControl {
public:
    struct Design {
        TwipsRect rect;
        bool stretch { false };
        bool visible { true };
    };
    Image(Container& container, std::string name, const Design& design);
    ~Image() override;

    const Picture& picture() const { return m_picture; }
    void set_picture(const Picture& picture);
    bool stretch() const { return m_stretch; }
    // Stretches the picture, ahead of a movement, to every drawn width between these two
    // (twips), so that no frame of the movement has to.
    void prepare_widths(float narrowest, float widest) const;

    std::function<void()> on_click;

    void paint(QPainter& painter) const override;
    bool takes_mouse() const override { return true; }
    void mouse_clicked() const override { raise(on_click); }

private:
    const QPixmap& stretched_to(const QSize& pixels) const;

    Picture m_picture;
    bool m_stretch { false };
    std::unique_ptr<AnimationPlayer> m_animation; // an animated picture shown unstretched
    // The picture stretched to each size it has been drawn at, made once: a door passes
    // through all its widths again at every movement.
    mutable std::map<std::pair<int, int>, std::shared_ptr<const QPixmap>> m_stretched;
};

}
