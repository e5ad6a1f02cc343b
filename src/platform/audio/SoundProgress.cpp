#include "platform/audio/SoundProgress.h"

namespace platform {

void SoundProgress::advance(Stage stage)
{
    m_stage = stage;
    m_changed.notify_all();
}

void SoundProgress::report_opened()
{
    const std::lock_guard lock(m_mutex);
    advance(Stage::Opened);
}

void SoundProgress::report_first_taken(Clock::time_point when)
{
    const std::lock_guard lock(m_mutex);
    m_first_taken = when;
    advance(Stage::Playing);
}

void SoundProgress::report_finished(bool complete)
{
    const std::lock_guard lock(m_mutex);
    m_complete = complete;
    advance(Stage::Finished);
}

bool SoundProgress::wanted() const
{
    const std::lock_guard lock(m_mutex);
    return m_wanted;
}

bool SoundProgress::reached(Stage stage, Clock::time_point deadline)
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_until(lock, deadline, [&] { return m_stage >= stage; });
}

void SoundProgress::give_up()
{
    const std::lock_guard lock(m_mutex);
    m_wanted = false;
}

bool SoundProgress::is_finished() const
{
    const std::lock_guard lock(m_mutex);
    return m_stage == Stage::Finished;
}

std::optional<SoundProgress::Clock::time_point> SoundProgress::first_taken() const
{
    const std::lock_guard lock(m_mutex);
    return m_first_taken;
}

bool SoundProgress::complete() const
{
    const std::lock_guard lock(m_mutex);
    return m_complete;
}

}
