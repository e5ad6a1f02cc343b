#pragma once
// A picture from a file's bytes, whatever their kind.
#include "platform/Picture.h"

#include <QByteArray>

#include <optional>

namespace platform {

// The most memory one picture may cost: its file's bytes, which are kept, and what decoding
// it needs at once. A picture that would need more is refused before it is decoded.
inline constexpr qint64 MaxPictureBytes = 256LL * 1024 * 1024;

// Nothing for bytes that are no whole picture, or one that would cost too much to show.
std::optional<Picture> decode_picture(const QByteArray& bytes);

}
