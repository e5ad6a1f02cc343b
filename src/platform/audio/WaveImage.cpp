#include "platform/audio/WaveImage.h"

#include <algorithm>
#include <optional>
#include <string_view>

namespace platform {

namespace {

using Bytes = std::span<const std::uint8_t>;

constexpr std::size_t kRiffHeaderBytes = 12; // "RIFF", size, "WAVE"
constexpr std::size_t kChunkHeaderBytes = 8; // tag, size
constexpr std::size_t kPcmFormatBytes = 16;
constexpr std::uint16_t kPcmTag = 1;

std::uint16_t le16(Bytes bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

std::uint32_t le32(Bytes bytes, std::size_t at)
{
    return le16(bytes, at) | std::uint32_t { le16(bytes, at + 2) } << 16;
}

bool has_tag(Bytes bytes, std::size_t at, std::string_view tag)
{
    return at <= bytes.size() && bytes.size() - at >= tag.size()
        && std::equal(tag.begin(), tag.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
}

struct Chunks {
    std::optional<Bytes> format;
    std::optional<Bytes> data;
};

Chunks find_chunks(Bytes image)
{
    Chunks found;
    std::size_t at = kRiffHeaderBytes;
    while (at + kChunkHeaderBytes <= image.size() && !(found.format && found.data)) {
        const std::size_t declared = le32(image, at + 4);
        const std::size_t body_at = at + kChunkHeaderBytes;
        const bool complete = declared <= image.size() - body_at;
        const Bytes body = image.subspan(body_at, std::min(declared, image.size() - body_at));
        if (!found.format && complete && has_tag(image, at, "fmt "))
            found.format = body;
        if (!found.data && has_tag(image, at, "data"))
            found.data = body;
        if (!complete)
            break;
        at = body_at + declared + declared % 2; // odd chunks carry a pad byte
    }
    return found;
}

WaveError read_format(Bytes chunk, WaveFormat& format)
{
    if (chunk.size() < kPcmFormatBytes)
        return WaveError::MissingFormat;
    if (le16(chunk, 0) != kPcmTag)
        return WaveError::NotPcm;
    format.channels = le16(chunk, 2);
    format.sample_rate = le32(chunk, 4);
    format.bits_per_sample = le16(chunk, 14);
    const bool supported_bits = format.bits_per_sample == 8 || format.bits_per_sample == 16;
    if (format.channels == 0 || format.sample_rate == 0 || !supported_bits)
        return WaveError::UnsupportedFormat;
    return WaveError::None;
}

}

ParsedWave parse_wave(Bytes image)
{
    if (image.size() < kRiffHeaderBytes || !has_tag(image, 0, "RIFF") || !has_tag(image, 8, "WAVE"))
        return { WaveError::NotRiffWave };
    const Chunks chunks = find_chunks(image);
    if (!chunks.format)
        return { WaveError::MissingFormat };
    ParsedWave parsed;
    parsed.error = read_format(*chunks.format, parsed.image.format);
    if (parsed.error != WaveError::None)
        return parsed;
    if (!chunks.data)
        return { WaveError::MissingData };
    const std::size_t frame_bytes = parsed.image.format.frame_bytes();
    parsed.image.samples = chunks.data->first(chunks.data->size() / frame_bytes * frame_bytes);
    return parsed;
}

}
