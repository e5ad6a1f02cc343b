#include "platform/forms/AnimationPlayer.h"

#include "platform/picture/Picture.h"

#include <QPainter>
#include <QWidget>

#include <algorithm>

namespace platform {

AnimationPlayer::AnimationPlayer(const QWidget& surface, std::function<bool()> shown, std::function<void()> changed)
    : m_surface(surface), m_shown(std::move(shown)), m_changed(std::move(changed))
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.callOnTimeout([this] { tick(); });
}

void AnimationPlayer::play(const Picture& picture)
{
    stop();
    m_animation = picture.animation();
    m_frames = m_animation ? m_animation->frames() : nullptr;
    std::optional<AnimationFrame> first = m_frames ? m_frames->next() : std::nullopt;
    if (!first) {
        stop();
        return;
    }
    m_started.start();
    m_clock.emplace(m_animation->plays(), 0, first->delay_ms);
    m_frame = std::move(first->image);
    schedule();
}

void AnimationPlayer::stop()
{
    m_timer.stop();
    m_animation.reset();
    m_frames.reset();
    m_clock.reset();
    m_frame = QImage();
    m_frame_pixmap = QPixmap();
    m_off_screen = false;
    m_ended = false;
}

bool AnimationPlayer::on_screen() const
{
    return m_shown() && m_surface.isVisible() && !m_surface.window()->isMinimized();
}

void AnimationPlayer::tick()
{
    if (!on_screen()) {
        m_off_screen = true;
        return;
    }
    if (catch_up())
        m_changed();
    schedule();
}

// Frames passed over are decoded, each needs the one before, but never drawn. A play that
// ends starts again from the first frame; frames that no longer decode end the play.
bool AnimationPlayer::catch_up()
{
    const std::int64_t now = m_started.elapsed();
    bool changed = false;
    while (!m_ended && m_clock->frame_over(now)) {
        std::optional<AnimationFrame> frame = m_frames->next();
        if (!frame) {
            if (!m_clock->play_over(now))
                break;
            m_frames = m_animation->frames();
            frame = m_frames ? m_frames->next() : std::nullopt;
            m_ended = !frame;
            if (m_ended)
                break;
        }
        m_clock->next_frame(frame->delay_ms);
        m_frame = std::move(frame->image);
        changed = true;
    }
    if (changed)
        m_frame_pixmap = QPixmap();
    return changed;
}

void AnimationPlayer::schedule()
{
    if (m_ended || m_clock->finished())
        return;
    m_timer.start(int(std::clamp<std::int64_t>(m_clock->frame_end() - m_started.elapsed(), 0, INT32_MAX)));
}

bool AnimationPlayer::draw(QPainter& painter, const QPoint& at)
{
    if (!m_clock)
        return false;
    if (std::exchange(m_off_screen, false)) {
        catch_up();
        schedule();
    }
    if (m_frame_pixmap.isNull())
        m_frame_pixmap = QPixmap::fromImage(m_frame);
    painter.drawPixmap(at, m_frame_pixmap);
    return true;
}

}
