#include "platform/codec/AnimationClock.h"

#include <algorithm>

namespace platform {

int frame_delay_ms(int file_delay_ms) { return file_delay_ms < 20 ? 100 : file_delay_ms; }

AnimationClock::AnimationClock(int plays, std::int64_t start, int first_delay)
    : m_plays(plays), m_frame_end(start + frame_delay_ms(first_delay)), m_play_length(frame_delay_ms(first_delay))
{
}

void AnimationClock::next_frame(int delay)
{
    m_frame_end += frame_delay_ms(delay);
    if (!m_play_known)
        m_play_length += frame_delay_ms(delay);
}

bool AnimationClock::play_over(std::int64_t now)
{
    m_play_known = true;
    const std::int64_t missed = (now - m_frame_end) / m_play_length;
    if (m_plays == 0) {
        m_frame_end += missed * m_play_length;
        return true;
    }
    const std::int64_t skipped = std::min<std::int64_t>(missed, m_plays - ++m_played);
    m_played += static_cast<int>(skipped);
    m_frame_end += skipped * m_play_length;
    m_finished = m_played >= m_plays;
    return !m_finished;
}

}
