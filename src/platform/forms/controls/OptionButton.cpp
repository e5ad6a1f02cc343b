#include "platform/forms/controls/OptionButton.h"

#include "platform/forms/Container.h"
#include "platform/system/Trace.h"

#include <QRadioButton>
#include <QSignalBlocker>

namespace platform {

namespace {

QRadioButton* make_radio(Container& container, const OptionButton::Design& design)
{
    auto* radio = new QRadioButton(QString::fromStdString(design.caption), &container.surface());
    radio->setAutoExclusive(false); // the group is the container's, kept below
    radio->setAutoFillBackground(true);
    QPalette palette = radio->palette();
    palette.setColor(QPalette::Window, to_qcolor(design.back_color));
    palette.setColor(QPalette::WindowText, Qt::black);
    radio->setPalette(palette);
    radio->setFont(to_qfont(Font {}));
    return radio;
}

}

OptionButton::OptionButton(Container& container, std::string name, const Design& design)
    : WindowedControl(container, name, design.rect, make_radio(container, design), design.tab_index),
      m_value(design.value)
{
    radio().setObjectName(QString::fromStdString(name));
    show_value();
    container.add_to_option_group(*this);
    QObject::connect(&radio(), &QRadioButton::clicked, &receiver(), [this] { set_value(true); });
}

OptionButton::~OptionButton() { container().remove_from_option_group(*this); }

QRadioButton& OptionButton::radio() const { return static_cast<QRadioButton&>(widget()); }

void OptionButton::show_value()
{
    const QSignalBlocker quiet(radio());
    radio().setChecked(m_value);
}

void OptionButton::set_value(bool value)
{
    trace::record_property(display_name(), "Value", value);
    if (!value) {
        m_value = false;
        show_value();
        return;
    }
    for (OptionButton* other : container().option_group()) {
        if (other != this && other->m_value) {
            other->m_value = false;
            other->show_value();
        }
    }
    const bool changed = !m_value;
    m_value = true;
    show_value();
    if (changed)
        raise(on_click);
}

void OptionButton::press() { radio().click(); }

}
