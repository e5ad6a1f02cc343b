#pragma once
// Plays a picture's animation where a control shows it: each frame at its time, decoded when
// it is due. While the control is off the screen (hidden, its window minimised) nothing
// runs; its next painting takes the animation up again where the clock has got to.
#include "platform/codec/Animation.h"
#include "platform/codec/AnimationClock.h"

#include <QElapsedTimer>
#include <QImage>
#include <QPixmap>
#include <QTimer>

#include <functional>
#include <optional>

class QPainter;
class QWidget;

namespace platform {

class Picture;

class AnimationPlayer {
public:
    // `shown` tells whether the control itself is visible on `surface`; `changed` repaints it.
    AnimationPlayer(const QWidget& surface, std::function<bool()> shown, std::function<void()> changed);

    // From the first frame; a still picture, or none, stops the animation playing.
    void play(const Picture& picture);
    // Draws the frame due now; false when no animation plays (the picture draws itself).
    bool draw(QPainter& painter, const QPoint& at);

private:
    bool on_screen() const;
    void tick();
    // Goes on to the frame the clock is at: true when another frame is shown.
    bool catch_up();
    void schedule();
    void stop();

    const QWidget& m_surface;
    std::function<bool()> m_shown;
    std::function<void()> m_changed;
    std::shared_ptr<const Animation> m_animation;
    std::unique_ptr<FrameReader> m_frames;
    std::optional<AnimationClock> m_clock;
    QElapsedTimer m_started;
    QTimer m_timer;
    QImage m_frame;
    QPixmap m_frame_pixmap; // made when the frame is first drawn
    bool m_off_screen { false }; // the timer stopped until the next painting
    bool m_ended { false }; // the frames no longer decode: the last one stays
};

}
