#pragma once
// The enhanced metafile's record kinds, each read from its record's bytes (type and size
// included, so offsets are those of the format) and done on the canvas. Each returns
// whether the record was one of its kinds.
#include "platform/codec/ByteReader.h"

#include <QPointF>
#include <QRectF>

namespace platform {

class MetafileCanvas;

namespace emf {

inline QPointF point_at(Bytes record, std::size_t at) { return QPointF(record.i32(at), record.i32(at + 4)); }
inline QRectF rect_at(Bytes record, std::size_t at) { return QRectF(point_at(record, at), point_at(record, at + 8)); }

bool play_state_record(MetafileCanvas& canvas, std::uint32_t type, Bytes record);
bool play_object_record(MetafileCanvas& canvas, std::uint32_t type, Bytes record);
bool play_shape_record(MetafileCanvas& canvas, std::uint32_t type, Bytes record);
bool play_text_record(MetafileCanvas& canvas, std::uint32_t type, Bytes record);
bool play_bitmap_record(MetafileCanvas& canvas, std::uint32_t type, Bytes record);

}

}
