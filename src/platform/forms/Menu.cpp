#include "platform/forms/Menu.h"

#include "platform/forms/Form.h"
#include "platform/forms/HandlerScope.h"
#include "platform/system/Trace.h"

#include <QCursor>
#include <QMenu>

namespace platform {

Menu::Menu(Form& form, std::string name, std::string caption, bool checked)
    : m_form(&form), m_name(std::move(name)), m_caption(std::move(caption)), m_checked(checked)
{
}

Menu::Menu(Menu& parent, std::string name, std::string caption, bool checked)
    : m_form(parent.m_form), m_name(std::move(name)), m_caption(std::move(caption)), m_checked(checked),
      m_visible(true)
{
    parent.m_items.push_back(this);
}

void Menu::set_checked(bool checked)
{
    trace::record_property(m_name, "Checked", checked);
    m_checked = checked;
}

void Menu::popup_at_mouse()
{
    QMenu menu(&m_form->surface());
    menu.setObjectName(QString::fromStdString(m_name));
    for (Menu* item : m_items) {
        if (!item->visible())
            continue;
        if (item->caption() == "-") {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(QString::fromStdString(item->caption()));
        action->setObjectName(QString::fromStdString(item->name()));
        action->setCheckable(item->checked());
        action->setChecked(item->checked());
        action->setEnabled(item->enabled());
        action->setData(QVariant::fromValue(static_cast<void*>(item)));
    }
    QAction* chosen = nullptr;
    QObject::connect(&menu, &QMenu::triggered, [&chosen](QAction* action) { chosen = action; });
    menu.exec(QCursor::pos());
    if (!chosen)
        return;
    Menu* item = static_cast<Menu*>(chosen->data().value<void*>());
    if (item->on_click)
        HandlerScope::run(*m_form, item->on_click);
}

}
