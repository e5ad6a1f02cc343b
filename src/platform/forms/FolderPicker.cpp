#include "platform/forms/FolderPicker.h"

#include "platform/forms/WindowHandles.h"

#include <QFileDialog>

namespace platform {

namespace {

class QtFolderPicker : public FolderPicker {
public:
    std::optional<std::string> pick(std::intptr_t owner, const std::string& title) override
    {
        const QString folder = QFileDialog::getExistingDirectory(
            window_of_handle(owner), QString::fromStdString(title), QStringLiteral("/"),
            QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
        if (folder.isEmpty())
            return std::nullopt;
        return QFile::encodeName(folder).toStdString();
    }
};

}

template <>
FolderPicker& Replaceable<FolderPicker>::real()
{
    static QtFolderPicker picker;
    return picker;
}

std::optional<std::string> BrowseForFolder(std::intptr_t owner, const std::string& title)
{
    return Replaceable<FolderPicker>::current().pick(owner, title);
}

}
