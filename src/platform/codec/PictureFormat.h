#pragma once
// A picture file's format, told by its first bytes. A reader left to find the format itself
// loads every picture plugin there is to ask each, which costs the first picture shown (the
// bus's own bitmaps at start) many milliseconds.
#include <QByteArray>

class QImageReader;

namespace platform {

// "bmp", "jpeg", "gif", "png", "webp" or "svg"; empty for any other.
QByteArray signature_format(const QByteArray& bytes);

// Makes `reader` ask only the plugin of the format of `bytes` when that is known, and find it
// by the content otherwise.
void read_by_signature(QImageReader& reader, const QByteArray& bytes);

}
