#pragma once
// The frames of an animated PNG: each frame's data is made into a PNG of its own for Qt's
// reader, then laid on the canvas as the file says (its place, blending and disposal).
#include "platform/codec/Animation.h"

#include <QSize>

namespace platform {

struct ApngLayout {
    QSize size;
    int frames { 0 };
    int plays { 0 };
};

// Nothing for a PNG with no animation control, or with fewer than two frames.
std::optional<ApngLayout> read_apng_layout(const QByteArray& bytes);
std::unique_ptr<FrameReader> apng_frames(const QByteArray& bytes);

}
