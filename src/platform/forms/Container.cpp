#include "platform/forms/Container.h"
#include "platform/forms/SurfaceWidget.h"

#include "platform/forms/AnimationPlayer.h"
#include "platform/forms/Form.h"
#include "platform/forms/Lightweight.h"
#include "platform/system/Trace.h"
#include "platform/x11/ShmFrame.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QRegion>
#include <algorithm>

namespace platform {

QColor to_qcolor(OLE_COLOR color)
{
    if (color & 0x80000000u) {
        const QPalette palette;
        switch (color) {
        case vbWindowBackground: return palette.color(QPalette::Base);
        case vbWindowText: return palette.color(QPalette::Text);
        case vbButtonText: return palette.color(QPalette::ButtonText);
        default: return palette.color(QPalette::Button);
        }
    }
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

Container::Container(QWidget* surface, OLE_COLOR back_color)
    : m_surface(surface), m_back_color(back_color),
      m_animation(std::make_unique<AnimationPlayer>(*surface, [] { return true; }, [surface] { surface->update(); })),
      m_pending(std::make_unique<QRegion>())
{
}

Container::~Container() = default;

void Container::painted(const QRegion& region) { *m_pending -= region; }

void Container::set_back_color(OLE_COLOR color)
{
    if (m_back_color == color)
        return;
    m_back_color = color;
    m_surface->update();
}

void Container::set_picture(const Picture& picture)
{
    m_picture = picture;
    m_animation->play(picture);
    m_surface->update();
    picture_changed();
}

void Container::add_lightweight(LightweightControl& control) { m_lightweights.push_back(&control); }

void Container::remove_lightweight(LightweightControl& control)
{
    std::erase(m_lightweights, &control);
    if (m_pressed == &control)
        m_pressed = nullptr;
}

void Container::invalidate(const QRect& pixels)
{
    *m_pending += pixels;
    m_surface->update(pixels);
}

void Container::repaint_pending()
{
    if (m_pending->isEmpty())
        return;
    const QRect area = m_pending->boundingRect();
    *m_pending = QRegion();
    // Qt's copy of the area stays due for its next paint, after the handler has returned.
    const bool put = put_frame_now(*m_surface, area, [&](QPainter& painter) { paint_surface(painter, area); });
    if (!put)
        m_surface->repaint(area); // one rectangle: a region of several paints many times slower
    if (trace::recording())
        trace::record(form().name() + " repaint " + std::to_string(area.x()) + " "
                      + std::to_string(area.y()) + " " + std::to_string(area.width()) + " "
                      + std::to_string(area.height()));
}

void Container::paint_surface(QPainter& painter, const QRect& dirty)
{
    if (!m_picture.hides(dirty, QPoint(0, 0))) // the bus body covers its whole window
        painter.fillRect(dirty, to_qcolor(m_back_color));
    if (!m_animation->draw(painter, QPoint(0, 0)))
        m_picture.draw(painter, QPoint(0, 0)); // unscaled, from the top-left corner
    for (const LightweightControl* control : m_lightweights) {
        if (control->visible() && control->pixel_rect().intersects(dirty)) {
            painter.save();
            control->paint(painter);
            painter.restore();
        }
    }
}

LightweightControl* Container::lightweight_at(const QPoint& pixel) const
{
    const auto hit = std::find_if(m_lightweights.rbegin(), m_lightweights.rend(), [&](auto* control) {
        return control->visible() && control->takes_mouse() && control->pixel_rect().contains(pixel);
    });
    return hit == m_lightweights.rend() ? nullptr : *hit;
}

void Container::surface_mouse(QMouseEvent& event)
{
    switch (event.type()) {
    case QEvent::MouseButtonPress:
        m_pressed = lightweight_at(event.position().toPoint());
        if (m_pressed)
            return;
        break;
    case QEvent::MouseButtonRelease:
        if (LightweightControl* pressed = std::exchange(m_pressed, nullptr)) {
            if (pressed->pixel_rect().contains(event.position().toPoint()))
                pressed->mouse_clicked();
            return;
        }
        break;
    default:
        if (m_pressed)
            return;
        break;
    }
    bare_mouse(event);
}

void Container::surface_close(QCloseEvent& event) { event.accept(); }

SurfaceWidget::SurfaceWidget(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SurfaceWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    if (!m_owner)
        return;
    m_owner->painted(event->region());
    m_owner->paint_surface(painter, event->rect());
}

bool SurfaceWidget::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        if (!m_owner)
            break;
        m_owner->surface_mouse(static_cast<QMouseEvent&>(*event));
        return true;
    default:
        break;
    }
    return QWidget::event(event);
}

void SurfaceWidget::keyPressEvent(QKeyEvent* event)
{
    if (m_owner)
        m_owner->surface_key(*event);
    else
        QWidget::keyPressEvent(event);
}

void SurfaceWidget::resizeEvent(QResizeEvent*)
{
    if (m_owner)
        m_owner->surface_resized();
}

void SurfaceWidget::closeEvent(QCloseEvent* event)
{
    if (m_owner)
        m_owner->surface_close(*event);
}

}
