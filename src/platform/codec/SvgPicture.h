#pragma once
// Drawings (SVG), shown at their own size at 96 dpi and drawn afresh at each screen scale.
// Only what the file itself holds is drawn; a drawing over the drawing limits is no picture.
#include "platform/codec/PictureSource.h"

#include <QByteArray>

#include <memory>

namespace platform {

bool is_svg(const QByteArray& bytes);
// Nothing for a drawing that cannot be drawn, is too big or reaches outside itself.
std::shared_ptr<const PictureSource> decode_svg(const QByteArray& bytes);

}
