#include "Wave.h"

#include <algorithm>
#include <cmath>

namespace assetgen {
namespace {

std::uint8_t to_unsigned_8bit(double sample)
{
    const double level = std::round(128.0 + 127.0 * std::clamp(sample, -1.0, 1.0));
    return static_cast<std::uint8_t>(level);
}

void write_format_chunk(ByteWriter& out)
{
    out.tag("fmt ");
    out.u32(16);
    out.u16(1); // PCM
    out.u16(1); // mono
    out.u32(kSampleRate);
    out.u32(kSampleRate); // bytes per second at one byte a sample
    out.u16(1);           // block align
    out.u16(8);           // bits per sample
}

}

Bytes encode_wave(const std::vector<double>& samples, FactChunk fact)
{
    ByteWriter body;
    body.tag("WAVE");
    write_format_chunk(body);
    if (fact == FactChunk::Include) {
        body.tag("fact");
        body.u32(4);
        body.u32(static_cast<std::uint32_t>(samples.size()));
    }
    body.tag("data");
    body.u32(static_cast<std::uint32_t>(samples.size()));
    for (double sample : samples)
        body.u8(to_unsigned_8bit(sample));
    body.pad_to_multiple_of(2);

    ByteWriter file;
    file.tag("RIFF");
    file.u32(static_cast<std::uint32_t>(body.size()));
    file.append(body.take());
    return file.take();
}

}
