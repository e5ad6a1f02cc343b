#include "platform/forms/WindowIcon.h"

#include "platform/system/Resources.h"

#include <QDir>
#include <QImageReader>
#include <QPixmap>

#include <map>

namespace platform {

namespace {

QIcon icon_from_pngs(const std::string& icon_file)
{
    const QString stem = QString::fromStdString(icon_file.substr(0, icon_file.rfind('.')));
    const QDir assets(QString::fromStdString(asset_path("")));
    QIcon icon;
    for (const QString& size : assets.entryList({ stem + "_*.png" }, QDir::Files)) {
        // Read as PNG only: a format left to be found loads every picture plugin to ask each.
        QImageReader reader(assets.filePath(size), "png");
        reader.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(reader.read()));
    }
    return icon;
}

}

QIcon window_icon(const std::string& icon_file)
{
    // Made once: the program and its main window show the same icon.
    static auto* made = new std::map<std::string, QIcon>; // kept to the end, past the application
    auto found = made->find(icon_file);
    if (found == made->end())
        found = made->emplace(icon_file, icon_from_pngs(icon_file)).first;
    return found->second;
}

}
