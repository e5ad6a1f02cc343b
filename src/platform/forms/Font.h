#pragma once
// A control's font as the program names it; the two Japanese faces are drawn with the
// IPA fonts of the same metrics.
#include <string>

class QFont;

namespace platform {

struct Font {
    std::string name { "ＭＳ Ｐゴシック" };
    float size { 9.0f }; // points
    bool bold { false };
    bool underline { false };
};

QFont to_qfont(const Font& font);
void install_font_substitutions();

}
