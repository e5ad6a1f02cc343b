#pragma once
// Reading a RIFF/WAVE memory image: the PCM format and the samples it carries, found by
// walking its chunks without ever reading past the end of the image.
#include <cstddef>
#include <cstdint>
#include <span>

namespace platform {

struct WaveFormat {
    std::uint16_t channels { 0 };
    std::uint32_t sample_rate { 0 };
    std::uint16_t bits_per_sample { 0 }; // 8 (unsigned) or 16 (signed little-endian)

    std::size_t frame_bytes() const { return std::size_t { channels } * (bits_per_sample / 8); }
};

struct WaveImage {
    WaveFormat format;
    std::span<const std::uint8_t> samples; // whole frames only, inside the parsed image

    std::size_t frames() const { return samples.size() / format.frame_bytes(); }
};

enum class WaveError {
    None,
    NotRiffWave,       // no "RIFF" ... "WAVE" header
    MissingFormat,     // no complete "fmt " chunk
    NotPcm,            // format tag other than 1
    UnsupportedFormat, // no channels, no rate, or neither 8 nor 16 bits
    MissingData,       // no "data" chunk
};

struct ParsedWave {
    WaveError error { WaveError::None };
    WaveImage image {}; // meaningful only without an error

    explicit operator bool() const { return error == WaveError::None; }
};

// The RIFF size field is not trusted: the walk runs to the end of the image. A "data"
// chunk that claims more than the image holds is cut to the bytes really there; any other
// chunk that runs past the end ends the walk as if it were absent. The first "fmt " and
// the first "data" count, in whichever order they come.
ParsedWave parse_wave(std::span<const std::uint8_t> image);

}
