#pragma once
// Windows metafiles and enhanced metafiles as pictures: their size at 96 dpi, played
// with the program's own bounds-checked player when they are drawn.
#include "platform/codec/PictureSource.h"

#include <QByteArray>

#include <memory>
#include <string>

namespace platform {

bool is_metafile(const QByteArray& bytes);
// The metafile played once to check it: nothing for a damaged one, and then `refusal`, when
// given, says why.
std::shared_ptr<const PictureSource> decode_metafile(const QByteArray& bytes, std::string* refusal = nullptr);

}
