#include "platform/forms/Font.h"

#include "platform/text/FontFaces.h"

#include <QFont>
#include <QString>
#include <cmath>

namespace platform {

namespace {
constexpr double LogicalDpi = 96.0; // twips are defined at 96 dots per inch

QString qstring(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }
}

QFont to_qfont(const Font& font)
{
    QFont qfont(qstring(drawn_face(font.name)));
    // Pixel sizes, so that the texts keep their metrics whatever the screen's DPI.
    qfont.setPixelSize(static_cast<int>(std::lround(font.size * LogicalDpi / 72.0)));
    qfont.setBold(font.bold);
    qfont.setUnderline(font.underline);
    return qfont;
}

void install_font_substitutions()
{
    for (const FaceSubstitution& substitution : FaceSubstitutions)
        QFont::insertSubstitution(qstring(substitution.named), qstring(substitution.drawn_with));
}

}
