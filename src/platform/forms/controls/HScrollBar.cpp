#include "platform/forms/controls/HScrollBar.h"

#include "platform/forms/Container.h"
#include "platform/system/RuntimeError.h"
#include "platform/system/Trace.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QSignalBlocker>

namespace platform {

namespace {

// Takes the focus with Tab or a click and answers the keys as a scroll bar of the system does:
// Left and Up a small step back, Right and Down forward, Page Up and Down a large step,
// Home and End the ends.
class KeyboardScrollBar : public QScrollBar {
public:
    using QScrollBar::QScrollBar;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        const SliderAction action = action_for(event->key());
        if (action == SliderNoAction) {
            QScrollBar::keyPressEvent(event);
            return;
        }
        triggerAction(action);
        event->accept();
    }

private:
    static SliderAction action_for(int key)
    {
        switch (key) {
        case Qt::Key_Left:
        case Qt::Key_Up: return SliderSingleStepSub;
        case Qt::Key_Right:
        case Qt::Key_Down: return SliderSingleStepAdd;
        case Qt::Key_PageUp: return SliderPageStepSub;
        case Qt::Key_PageDown: return SliderPageStepAdd;
        case Qt::Key_Home: return SliderToMinimum;
        case Qt::Key_End: return SliderToMaximum;
        default: return SliderNoAction;
        }
    }
};

QScrollBar* make_bar(Container& container, const HScrollBar::Design& design)
{
    auto* bar = new KeyboardScrollBar(Qt::Horizontal, &container.surface());
    bar->setFocusPolicy(Qt::StrongFocus);
    bar->setRange(design.min, design.max);
    bar->setSingleStep(design.small_change);
    bar->setPageStep(design.large_change);
    bar->setValue(design.value);
    bar->setTracking(false); // the value follows the thumb only when it is released
    return bar;
}
}

HScrollBar::HScrollBar(Container& container, std::string name, const Design& design)
    : WindowedControl(container, name, design.rect, make_bar(container, design), design.tab_index),
      m_min(design.min), m_max(design.max), m_value(design.value)
{
    bar().setObjectName(QString::fromStdString(name));
    QObject::connect(&bar(), &QScrollBar::valueChanged, &receiver(), [this](int value) { user_changed(value); });
}

QScrollBar& HScrollBar::bar() const { return static_cast<QScrollBar&>(widget()); }

void HScrollBar::user_changed(int value)
{
    if (value == m_value)
        return;
    m_value = static_cast<std::int16_t>(value);
    raise(on_change);
}

void HScrollBar::set_value(std::int16_t value)
{
    if (value < m_min || value > m_max)
        throw RuntimeError(err::InvalidPropertyValue, "Invalid property value");
    trace::record_property(display_name(), "Value", std::to_string(value));
    if (value == m_value)
        return;
    m_value = value;
    {
        const QSignalBlocker quiet(bar());
        bar().setValue(value);
    }
    raise(on_change);
}

}
