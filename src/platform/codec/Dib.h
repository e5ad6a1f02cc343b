#pragma once
// A device-independent bitmap: its header and colour table followed (not necessarily at once)
// by its rows, as a bitmap file holds it after its file header and a metafile record holds it.
#include "platform/codec/ByteReader.h"
#include "platform/codec/PictureLimits.h"

#include <QImage>

#include <optional>

namespace platform {

struct Dib {
    QImage image; // null for an encoding not decoded here (run-length, JPEG, PNG)
    bool bottom_up { true };

    // A record's source rectangle in the image's rows: records count a bottom-up bitmap's
    // rows from its last one.
    QRectF source(double x, double y, double width, double height) const;
};

// The bitmap whose header starts `info` and whose rows start `bits`, or only the part
// `area` of it (in top-down rows); a header or rows that do not fit their record, or a
// bitmap of more than `most_pixels`, throw DamagedPicture.
Dib decode_dib(Bytes info, Bytes bits, const QRect& area = QRect(), std::int64_t most_pixels = MaxDibPixels);
// The width and height of the bitmap whose header starts `info`, when decode_dib draws its
// encoding; checked as decode_dib checks it, and a top-down one that is compressed throws.
std::optional<QSize> dib_size(Bytes info, std::int64_t most_pixels);
// Which of the rows, in the order they are stored, the part `area` of a bitmap needs: a
// big bitmap is read from its file only there.
struct DibRows {
    std::int64_t first { 0 };
    std::int64_t count { 0 };
    std::int64_t stride { 0 }; // the bytes of one row
    std::int64_t total { 0 }; // the rows of the bitmap
};
DibRows dib_rows(Bytes info, const QRect& area, std::int64_t most_pixels);
// decode_dib of `area` when `rows` hold only the rows `span` names.
Dib decode_dib_rows(Bytes info, Bytes rows, const DibRows& span, const QRect& area, std::int64_t most_pixels);
// A bitmap whose rows follow its header and colour table.
Dib decode_packed_dib(Bytes dib);

}
