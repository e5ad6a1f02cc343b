#pragma once
// The frames of an animated PNG: each frame's data is made into a PNG of its own for Qt's
// reader, then laid on the canvas as the file says (its place, blending and disposal).
#include "platform/codec/Animation.h"
#include "platform/codec/ByteReader.h"

#include <QSize>

namespace platform {

struct ApngLayout {
    QSize size;
    int frames { 0 };
    int plays { 0 };
};

// Throws DamagedPicture unless every chunk of the PNG lies within the file, up to its end
// chunk: the PNG decoder allocates a chunk's stated length before it reads the chunk.
void require_whole_png(Bytes file);

// Nothing for a PNG with no animation control, or with fewer than two frames.
std::optional<ApngLayout> read_apng_layout(const QByteArray& bytes);
std::unique_ptr<FrameReader> apng_frames(const QByteArray& bytes);

}
