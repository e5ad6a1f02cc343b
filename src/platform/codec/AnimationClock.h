#pragma once
// Which frame of an animation the clock is at. Frames follow each other at their delays as
// the clock goes, however late the program looks: a frame due while the program was busy
// (a door moving) is passed over, not shown late. Delays are learnt as frames are decoded;
// once a whole play is known, plays missed whole are skipped without decoding them.
#include <cstdint>

namespace platform {

// A delay under 20 ms counts as 100 ms, as browsers show such files.
int frame_delay_ms(int file_delay_ms);

class AnimationClock {
public:
    // plays: 0 for ever. The first frame is shown at `start` (ms) for `first_delay`.
    AnimationClock(int plays, std::int64_t start, int first_delay);

    // Whether the frame shown is over at `now`; never after the last play.
    bool frame_over(std::int64_t now) const { return !m_finished && now >= m_frame_end; }
    // The next frame is shown from where the last one ended.
    void next_frame(int delay);
    // The last frame of a play is over at `now`: true when a play begins again from the
    // first frame, false when the animation ends, holding its last frame.
    bool play_over(std::int64_t now);
    // When the frame shown ends (ms).
    std::int64_t frame_end() const { return m_frame_end; }
    bool finished() const { return m_finished; }

private:
    int m_plays;
    int m_played { 0 };
    std::int64_t m_frame_end;
    std::int64_t m_play_length;
    bool m_play_known { false };
    bool m_finished { false };
};

}
