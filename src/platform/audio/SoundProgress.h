#pragma once
// How far a worker thread has got with playing a sound, for the caller that waits on it
// with deadlines. A device that does not answer keeps its worker stuck past the caller's
// wait, so the two share this in ownership and the worker asks whether it is still wanted.
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>

namespace platform {

class SoundProgress {
public:
    using Clock = std::chrono::steady_clock;
    enum class Stage { Opening, Opened, Playing, Finished }; // in the order they come

    // The worker's side.
    void report_opened();
    void report_first_taken(Clock::time_point when);
    void report_finished(bool complete); // the device is closed again
    bool wanted() const;

    // The caller's side. Waits until the worker has reached `stage`, or any later one;
    // false if `deadline` came first.
    bool reached(Stage stage, Clock::time_point deadline);
    void give_up();
    bool is_finished() const;
    std::optional<Clock::time_point> first_taken() const;
    bool complete() const;

private:
    void advance(Stage stage);

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    Stage m_stage { Stage::Opening };
    std::optional<Clock::time_point> m_first_taken;
    bool m_complete { false };
    bool m_wanted { true };
};

}
