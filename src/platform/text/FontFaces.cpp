#include "platform/text/FontFaces.h"

namespace platform {

std::string drawn_face(std::string_view named)
{
    for (const FaceSubstitution& substitution : FaceSubstitutions) {
        if (substitution.named == named)
            return std::string(substitution.drawn_with);
    }
    return std::string(named);
}

}
