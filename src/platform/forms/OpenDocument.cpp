#include "platform/forms/OpenDocument.h"

#include <QDesktopServices>
#include <QUrl>

namespace platform {

namespace {

class DesktopOpener : public DocumentOpener {
public:
    void open(const std::string& address) override { QDesktopServices::openUrl(QUrl(QString::fromStdString(address))); }
};

}

template <>
DocumentOpener& Replaceable<DocumentOpener>::real()
{
    static DesktopOpener opener;
    return opener;
}

void OpenDocument(const std::string& address)
{
    if (!address.empty())
        Replaceable<DocumentOpener>::current().open(address);
}

}
