#pragma once
// A pause clock that stands still: time passes only when the test says so (a drawing that
// took that long) or when a frame waits for its end, a set overshoot after it. Each frame's
// end is noted as "drawn at X, ends at Y", in microseconds.
#include "Fakes.h"

#include "platform/system/Pause.h"

#include <algorithm>

class FakePauseClock : public StandIn<platform::PauseClock> {
public:
    time_point now() override { return m_now; }
    void wait_until(time_point deadline) override
    {
        const time_point drawn = m_now;
        m_now = std::max(m_now, deadline + overshoot);
        frames.push_back("drawn at " + microseconds(drawn) + ", ends at " + microseconds(m_now));
    }
    void advance(std::chrono::nanoseconds by) { m_now += by; }

    Sequence frames;
    std::chrono::nanoseconds overshoot {}; // how late a wait notices its deadline

private:
    static std::string microseconds(time_point at)
    {
        const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(at.time_since_epoch()).count();
        std::string text = std::to_string(ns / 1000);
        if (const auto fraction = ns % 1000) {
            std::string digits = std::to_string(1000 + fraction).substr(1);
            text += "." + digits.erase(digits.find_last_not_of('0') + 1);
        }
        return text;
    }

    time_point m_now {};
};
