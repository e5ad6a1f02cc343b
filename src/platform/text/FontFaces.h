#pragma once
// The Japanese faces the program and its pictures name are drawn with the IPA fonts of the
// same metrics.
#include <string>
#include <string_view>

namespace platform {

struct FaceSubstitution {
    std::string_view named;
    std::string_view drawn_with;
};

inline constexpr FaceSubstitution FaceSubstitutions[] {
    { "ＭＳ Ｐゴシック", "IPAPGothic" },
    { "ＭＳ ゴシック", "IPAGothic" },
};

// The face a named face is drawn with: itself unless the table replaces it.
std::string drawn_face(std::string_view named);

}
