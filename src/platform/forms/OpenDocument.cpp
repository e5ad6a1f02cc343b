#include "platform/forms/OpenDocument.h"

#include <QDesktopServices>
#include <QUrl>

namespace platform {

namespace {

class DesktopOpener : public DocumentOpener {
public:
    void open(const std::string& address) override { QDesktopServices::openUrl(QUrl(QString::fromStdString(address))); }
};

DesktopOpener& real_opener()
{
    static DesktopOpener opener;
    return opener;
}

DocumentOpener*& current()
{
    static DocumentOpener* opener = &real_opener();
    return opener;
}

}

void OpenDocument(const std::string& address)
{
    if (!address.empty())
        current()->open(address);
}

void set_document_opener(DocumentOpener* opener) { current() = opener ? opener : &real_opener(); }

}
