#include "platform/codec/JpegHeader.h"

#include <algorithm>
#include <optional>

namespace platform {

namespace {

constexpr std::uint8_t Start = 0xD8, End = 0xD9, StartOfScan = 0xDA;
constexpr std::int64_t BlockSide = 8, BlockBytes = 64 * 2;

// The markers a JPEG may hold before its first scan: frames, tables, restart interval,
// application data and comments.
bool header_marker(std::uint8_t marker)
{
    return (marker >= 0xC0 && marker <= 0xCF) || marker == 0xDB || marker == 0xDD || marker == 0xDC
        || (marker >= 0xE0 && marker <= 0xEF) || marker == 0xFE;
}

// Among 0xC0..0xCF, 0xC4 holds Huffman tables, 0xC8 is reserved and 0xCC holds arithmetic
// conditioning; the others start frames.
bool frame_marker(std::uint8_t marker)
{
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

bool progressive_marker(std::uint8_t marker) { return marker == 0xC2 || marker == 0xC6 || marker == 0xCA || marker == 0xCE; }

JpegFrame read_frame(Bytes segment, std::uint8_t marker)
{
    JpegFrame frame;
    frame.height = segment.u16_big(1);
    frame.width = segment.u16_big(3);
    const std::size_t count = segment.u8(5);
    require(count >= 1);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t sampling = segment.u8(6 + i * 3 + 1);
        const JpegFrame::Component component { sampling >> 4, sampling & 0x0F };
        require(component.h_sampling >= 1 && component.h_sampling <= 4);
        require(component.v_sampling >= 1 && component.v_sampling <= 4);
        frame.components.push_back(component);
    }
    frame.progressive = progressive_marker(marker);
    return frame;
}

bool ends_after(Bytes file, std::size_t at)
{
    for (std::size_t i = at; i + 1 < file.size(); ++i) {
        if (file.u8(i) == 0xFF && file.u8(i + 1) == End)
            return true;
    }
    return false;
}

std::int64_t round_up(std::int64_t value, std::int64_t unit) { return (value + unit - 1) / unit * unit; }
std::int64_t blocks(std::int64_t samples, int sampling, int most_sampling)
{
    return round_up((samples * sampling + most_sampling * BlockSide - 1) / (most_sampling * BlockSide), sampling);
}

}

JpegFrame read_jpeg_frame(Bytes file)
{
    require(file.u8(0) == 0xFF && file.u8(1) == Start);
    std::optional<JpegFrame> frame;
    for (std::size_t at = 2;;) {
        require(file.u8(at) == 0xFF);
        const std::uint8_t marker = file.u8(at + 1);
        const std::size_t length = file.u16_big(at + 2);
        require(length >= 2);
        const Bytes segment = file.part(at + 4, length - 2);
        if (marker == StartOfScan) {
            require(frame && ends_after(file, at + 2));
            frame->first_scan_components = segment.u8(0);
            return *frame;
        }
        require(header_marker(marker) && !(frame && frame_marker(marker)));
        if (frame_marker(marker))
            frame = read_frame(segment, marker);
        at += 2 + length;
    }
}

std::int64_t jpeg_coefficient_bytes(const JpegFrame& frame)
{
    if (!frame.progressive && frame.first_scan_components >= frame.components.size())
        return 0;
    int most_h = 1, most_v = 1;
    for (const auto& component : frame.components) {
        most_h = std::max(most_h, component.h_sampling);
        most_v = std::max(most_v, component.v_sampling);
    }
    std::int64_t bytes = 0;
    for (const auto& component : frame.components) {
        bytes += blocks(frame.width, component.h_sampling, most_h) * blocks(frame.height, component.v_sampling, most_v)
            * BlockBytes;
    }
    return bytes;
}

}
