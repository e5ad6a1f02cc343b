#pragma once
// What an SVG file holds, read before anything of it is drawn: a drawing that would reach
// outside itself (an entity, an image or style from another file) or cost too much to draw is
// refused.
#include <QByteArray>
#include <QString>

#include <optional>

namespace platform {

struct SvgContent {
    QString width;   // the root's attributes, as written
    QString height;
    QString view_box;
};

// Nothing for a file that is no well-formed SVG drawing of its own within the drawing limits.
std::optional<SvgContent> read_svg_content(const QByteArray& bytes);

}
