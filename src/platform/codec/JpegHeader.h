#pragma once
// What a JPEG's markers up to its first scan say about decoding it, read before any of it is
// decoded.
#include "platform/codec/ByteReader.h"

#include <vector>

namespace platform {

struct JpegFrame {
    struct Component {
        int h_sampling { 1 };
        int v_sampling { 1 };
    };
    std::int64_t width { 0 };
    std::int64_t height { 0 };
    std::vector<Component> components;
    bool progressive { false };
    std::size_t first_scan_components { 0 };
};

// The frame of a whole JPEG: its start, known segments with a frame among them, the first scan
// and an end marker somewhere after it. Anything else throws DamagedPicture.
JpegFrame read_jpeg_frame(Bytes file);

// The memory the decoder takes for the whole picture before it gives its first row: a
// progressive picture, or one whose components come in separate scans, is held as all its
// coefficients (two bytes each, in whole blocks of each component's whole units); one
// interleaved scan needs only a row of blocks at a time, counted as nothing.
std::int64_t jpeg_coefficient_bytes(const JpegFrame& frame);

}
