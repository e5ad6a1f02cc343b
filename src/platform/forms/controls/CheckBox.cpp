#include "platform/forms/controls/CheckBox.h"

#include "platform/forms/Container.h"

#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>

namespace platform {

namespace {
QPushButton* make_switch(Container& container, const CheckBox::Design& design)
{
    auto* button = new QPushButton(&container.surface());
    button->setCheckable(true);
    button->setAutoDefault(false);
    if (const QPixmap* face = design.face.pixmap()) {
        button->setIcon(QIcon(*face));
        button->setIconSize(face->deviceIndependentSize().toSize()); // a 2x face keeps its size
    }
    return button;
}
}

CheckBox::CheckBox(Container& container, std::string name, const Design& design)
    : WindowedControl(container, name, design.rect, make_switch(container, design), design.tab_index)
{
    button().setObjectName(QString::fromStdString(name));
    QObject::connect(&button(), &QPushButton::clicked, &receiver(),
                     [this](bool checked) { user_toggled(checked); });
}

QPushButton& CheckBox::button() const { return static_cast<QPushButton&>(widget()); }

void CheckBox::user_toggled(bool checked)
{
    m_value = checked ? 1 : 0;
    raise(on_click);
}

void CheckBox::set_value(std::int16_t value)
{
    if (m_value == value)
        return;
    m_value = value;
    {
        const QSignalBlocker quiet(button());
        button().setChecked(value != 0);
    }
    raise(on_click);
}

void CheckBox::press() { button().click(); }

}
