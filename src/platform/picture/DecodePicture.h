#pragma once
// A picture from a file's bytes, whatever their kind.
#include "platform/picture/Picture.h"

#include <QByteArray>

#include <optional>

namespace platform {

// Nothing for bytes that are no whole picture, or one that would cost too much to show.
std::optional<Picture> decode_picture(const QByteArray& bytes);

}
