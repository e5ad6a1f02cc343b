#include "Fonts.h"

#include <QFontDatabase>
#include <QStringList>

#include <stdexcept>

namespace assetgen {
namespace {

constexpr auto kFontFile = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf";

QString loaded_family()
{
    static const QString family = [] {
        const int id = QFontDatabase::addApplicationFont(QString::fromUtf8(kFontFile));
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        if (families.isEmpty())
            throw std::runtime_error(std::string("cannot load ") + kFontFile);
        return families.front();
    }();
    return family;
}

}

QFont lettering_font(int pixel_size)
{
    QFont font(loaded_family());
    font.setPixelSize(pixel_size);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::NoFontMerging);
    return font;
}

}
