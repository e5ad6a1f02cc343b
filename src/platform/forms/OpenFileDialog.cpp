#include "platform/forms/OpenFileDialog.h"

#include "platform/forms/Form.h"
#include "platform/forms/HandlerScope.h"
#include "platform/forms/WindowHandles.h"

#include <QFileDialog>

namespace platform {

namespace {

// "*.bmp;*.gif" offered as itself: "*.bmp;*.gif (*.bmp *.gif)".
QString name_filter(const std::string& pattern)
{
    const QString patterns = QString::fromStdString(pattern);
    return patterns + " (" + QString(patterns).replace(';', ' ') + ")";
}

class QtFilePicker : public FilePicker {
public:
    std::optional<std::string> pick(std::intptr_t owner, const std::string& pattern) override
    {
        QFileDialog dialog(window_of_handle(owner));
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setNameFilter(name_filter(pattern));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
    }
};

}

template <>
FilePicker& Replaceable<FilePicker>::real()
{
    static QtFilePicker picker;
    return picker;
}

OpenFileDialog::OpenFileDialog(Form& owner, std::string pattern)
    : m_owner(&owner), m_pattern(std::move(pattern))
{
}

void OpenFileDialog::ShowOpen()
{
    const HandlerScope keep(*m_owner);
    m_file_name = Replaceable<FilePicker>::current().pick(m_owner->hWnd(), m_pattern).value_or("");
}

}
