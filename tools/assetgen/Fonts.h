#pragma once
// Lettering on the pictures always comes from the same font file, so the bytes never
// depend on what the machine happens to prefer.
#include <QFont>

namespace assetgen {

// IPAGothic at `pixel_size`; throws when the font file cannot be loaded.
QFont lettering_font(int pixel_size);

}
