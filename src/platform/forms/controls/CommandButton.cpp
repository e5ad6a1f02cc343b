#include "platform/forms/controls/CommandButton.h"

#include "platform/forms/Container.h"

#include <QPushButton>
#include <QShortcut>

namespace platform {

namespace {
QPushButton* make_button(Container& container, const CommandButton::Design& design)
{
    auto* button = new QPushButton(QString::fromStdString(design.caption), &container.surface());
    button->setFont(to_qfont(design.font));
    button->setAutoDefault(false); // Enter never presses a button of its own accord
    if (design.graphical) {
        QPalette palette = button->palette();
        palette.setColor(QPalette::Button, to_qcolor(design.back_color));
        button->setPalette(palette);
    }
    return button;
}
}

CommandButton::CommandButton(Container& container, std::string name, const Design& design)
    : WindowedControl(container, name, design.rect, make_button(container, design), design.tab_index)
{
    button().setObjectName(QString::fromStdString(name));
    QObject::connect(&button(), &QPushButton::clicked, &receiver(), [this] { raise(on_click); });
    if (design.cancel) {
        auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), &button());
        QObject::connect(escape, &QShortcut::activated, &receiver(), [this] { press(); });
    }
}

QPushButton& CommandButton::button() const { return static_cast<QPushButton&>(widget()); }

std::string CommandButton::caption() const { return button().text().toStdString(); }

void CommandButton::press() { button().click(); }

}
