#include "platform/HScrollBar.h"

#include "platform/Container.h"
#include "platform/RuntimeError.h"
#include "platform/Trace.h"

#include <QScrollBar>
#include <QSignalBlocker>

namespace platform {

namespace {
QScrollBar* make_bar(Container& container, const HScrollBar::Design& design)
{
    auto* bar = new QScrollBar(Qt::Horizontal, &container.surface());
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
    QObject::connect(&bar(), &QScrollBar::valueChanged, [this](int value) { user_changed(value); });
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
