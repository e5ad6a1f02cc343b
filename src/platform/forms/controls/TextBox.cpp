#include "platform/forms/controls/TextBox.h"

#include "platform/forms/Container.h"
#include "platform/forms/Font.h"

#include <QLineEdit>

namespace platform {

TextBox::TextBox(Container& container, std::string name, const Design& design)
    : WindowedControl(container, name, design.rect,
                      new QLineEdit(QString::fromStdString(design.text), &container.surface()), design.tab_index)
{
    edit().setObjectName(QString::fromStdString(name));
    edit().setFont(to_qfont(Font {}));
}

QLineEdit& TextBox::edit() const { return static_cast<QLineEdit&>(widget()); }

std::string TextBox::text() const { return edit().text().toStdString(); }

void TextBox::set_text(const std::string& text) { edit().setText(QString::fromStdString(text)); }

}
