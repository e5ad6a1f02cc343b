#pragma once
// Windows metafiles, with or without the placeable header: their size and their records
// played on a painter.
#include "platform/codec/ByteReader.h"

#include <QRect>
#include <QSize>
#include <QTransform>

class QPainter;

namespace platform {

struct WmfLayout {
    std::size_t records_at { 0 }; // after the placeable header, if any, and the file header
    std::size_t objects { 0 };
    QRectF window;                // the logical rectangle the picture shows
    QSize size;                   // at 96 dpi
};

bool is_wmf(Bytes file);
// The placeable header's bounding box and units per inch give the size; without it, the
// first window extent does, one unit a pixel. Neither: DamagedPicture.
WmfLayout read_wmf_layout(Bytes file);
void play_wmf(Bytes file, QPainter& painter, const QTransform& picture_to_painter);

}
