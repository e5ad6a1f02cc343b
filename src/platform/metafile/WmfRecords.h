#pragma once
// The Windows metafile's record kinds. A record holds its size in words, its function and
// then its parameters, most of them 16-bit and stored last one first.
#include "platform/codec/ByteReader.h"

#include <QPointF>
#include <QRectF>

namespace platform {

class MetafileCanvas;

namespace wmf {

// The n-th 16-bit parameter.
inline std::int16_t param(Bytes record, std::size_t n) { return record.i16(6 + n * 2); }
// A point stored y first, starting at parameter n.
inline QPointF point_param(Bytes record, std::size_t n) { return QPointF(param(record, n + 1), param(record, n)); }
// A rectangle stored bottom, right, top, left from parameter n.
inline QRectF rect_param(Bytes record, std::size_t n)
{
    return QRectF(QPointF(param(record, n + 3), param(record, n + 2)), QPointF(param(record, n + 1), param(record, n)));
}

// Each returns whether the record was one of its kinds.
bool play_state_record(MetafileCanvas& canvas, std::uint16_t function, Bytes record);
bool play_object_record(MetafileCanvas& canvas, std::uint16_t function, Bytes record);
bool play_shape_record(MetafileCanvas& canvas, std::uint16_t function, Bytes record);
bool play_text_record(MetafileCanvas& canvas, std::uint16_t function, Bytes record);
bool play_bitmap_record(MetafileCanvas& canvas, std::uint16_t function, Bytes record);

}

}
