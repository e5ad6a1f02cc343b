#include "platform/forms/MsgBox.h"

#include "platform/forms/ProgramIdentity.h"

#include <QApplication>
#include <QMessageBox>

namespace platform {

namespace {

class QtMessageBoxes : public MessageBoxes {
public:
    void show(const std::string& text, bool critical, const std::string& caption) override
    {
        QMessageBox box(critical ? QMessageBox::Critical : QMessageBox::NoIcon, QString::fromStdString(caption),
                        QString::fromStdString(text), QMessageBox::Ok);
        box.setWindowModality(Qt::ApplicationModal);
        box.exec();
    }
};

}

template <>
MessageBoxes& Replaceable<MessageBoxes>::real()
{
    static QtMessageBoxes boxes;
    return boxes;
}

void MsgBox(const std::string& text, int style, const std::optional<std::string>& caption)
{
    Replaceable<MessageBoxes>::current().show(text, (style & vbCritical) != 0, caption.value_or(program_identity().title));
}

}
