#include "platform/Font.h"

#include <QFont>
#include <QString>
#include <cmath>

namespace platform {

namespace {
constexpr double LogicalDpi = 96.0; // twips are defined at 96 dots per inch

QString substitute(const QString& family)
{
    if (family == QStringLiteral("ＭＳ Ｐゴシック"))
        return QStringLiteral("IPAPGothic");
    if (family == QStringLiteral("ＭＳ ゴシック"))
        return QStringLiteral("IPAGothic");
    return family;
}
}

QFont to_qfont(const Font& font)
{
    QFont qfont(substitute(QString::fromStdString(font.name)));
    // Pixel sizes, so that the texts keep their metrics whatever the screen's DPI.
    qfont.setPixelSize(static_cast<int>(std::lround(font.size * LogicalDpi / 72.0)));
    qfont.setBold(font.bold);
    qfont.setUnderline(font.underline);
    return qfont;
}

void install_font_substitutions()
{
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
}

}
