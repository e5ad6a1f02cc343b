#pragma once
// A surface that holds controls: the client area of a form, a picture box or a frame.
// It paints its background, its picture and its lightweight controls (images, shapes,
// labels) in z-order, all beneath its windowed controls.
#include "platform/forms/Color.h"
#include "platform/picture/Picture.h"

#include <memory>
#include <vector>

class QCloseEvent;
class QColor;
class QKeyEvent;
class QMouseEvent;
class QPainter;
class QPoint;
class QRect;
class QRegion;
class QWidget;

namespace platform {

class AnimationPlayer;
class Form;
class LightweightControl;
class OptionButton;

class Container {
public:
    virtual ~Container();

    virtual Form& form() = 0;
    QWidget& surface() const { return *m_surface; }

    OLE_COLOR back_color() const { return m_back_color; }
    void set_back_color(OLE_COLOR color);
    const Picture& picture() const { return m_picture; }
    void set_picture(const Picture& picture);

    // The option buttons of a container are one group.
    const std::vector<OptionButton*>& option_group() const { return m_option_group; }
    void add_to_option_group(OptionButton& button) { m_option_group.push_back(&button); }
    void remove_from_option_group(OptionButton& button) { std::erase(m_option_group, &button); }

    void add_lightweight(LightweightControl& control);
    void remove_lightweight(LightweightControl& control);
    void invalidate(const QRect& pixels);
    // Paints what has changed since the last paint, now, handling no other event.
    void repaint_pending();
    void painted(const QRegion& region);

    // Event entry points of the surface.
    virtual void paint_surface(QPainter& painter, const QRect& dirty);
    virtual void surface_mouse(QMouseEvent& event);
    virtual void surface_key(QKeyEvent&) { }
    virtual void surface_resized() { }
    virtual void surface_close(QCloseEvent& event);
    virtual void picture_changed() { }

protected:
    explicit Container(QWidget* surface, OLE_COLOR back_color);
    LightweightControl* lightweight_at(const QPoint& pixel) const;

    // Mouse events on the bare surface, not on one of its lightweight controls.
    virtual void bare_mouse(QMouseEvent&) { }

private:
    QWidget* m_surface;
    OLE_COLOR m_back_color;
    Picture m_picture;
    std::unique_ptr<AnimationPlayer> m_animation;
    std::vector<LightweightControl*> m_lightweights;
    std::vector<OptionButton*> m_option_group;
    LightweightControl* m_pressed { nullptr };
    std::unique_ptr<QRegion> m_pending; // changed since the last paint
};

QColor to_qcolor(OLE_COLOR color);

}
