#pragma once
// Enhanced metafiles: the header's size and resolution, and the records played on a painter.
#include "platform/codec/ByteReader.h"

#include <QPointF>
#include <QRect>
#include <QSize>
#include <QTransform>

class QPainter;

namespace platform {

struct EmfHeader {
    QRect frame;           // 0.01 mm
    QSize device_pixels;   // the reference device
    QSizeF device_mm;      // its size, from szlMicrometers where the header has them
    std::size_t handles { 0 };
};

bool is_emf(Bytes file);
EmfHeader read_emf_header(Bytes file);
// The picture's size at 96 dpi: the frame, rounded.
QSize emf_natural_size(const EmfHeader& header);
// Plays the records onto `painter`, whose pixels are the picture's through picture_to_painter.
void play_emf(Bytes file, QPainter& painter, const QTransform& picture_to_painter);

}
