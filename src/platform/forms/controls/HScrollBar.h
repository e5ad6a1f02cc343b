#pragma once
// A horizontal scroll bar. Change is raised only when the value really changes, by the
// user or by the program, and not while the thumb is being dragged.
#include "platform/forms/Windowed.h"

#include <cstdint>
#include <functional>

class QScrollBar;

namespace platform {

class HScrollBar : public WindowedControl {
public:
    struct Design {
        TwipsRect rect;
        std::int16_t tab_index { 0 };
        std::int16_t min { 0 };
        std::int16_t max { 32767 };
        std::int16_t small_change { 1 };
        std::int16_t large_change { 1 };
        std::int16_t value { 0 };
    };
    HScrollBar(Container& container, std::string name, const Design& design);

    std::int16_t value() const { return m_value; }
    // A value outside min..max fails with run-time error 380.
    void set_value(std::int16_t value);
    std::int16_t min() const { return m_min; }
    std::int16_t max() const { return m_max; }

    std::function<void()> on_change;

private:
    QScrollBar& bar() const;
    void user_changed(int value);

    std::int16_t m_min;
    std::int16_t m_max;
    std::int16_t m_value;
};

}
