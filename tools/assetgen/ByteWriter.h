#pragma once
// Little-endian byte images: every file the generator writes is laid out by hand.
#include <cstdint>
#include <string_view>
#include <vector>

namespace assetgen {

using Bytes = std::vector<std::uint8_t>;

class ByteWriter {
public:
    void u8(std::uint8_t value) { bytes_.push_back(value); }
    void u16(std::uint16_t value)
    {
        u8(static_cast<std::uint8_t>(value));
        u8(static_cast<std::uint8_t>(value >> 8));
    }
    void u32(std::uint32_t value)
    {
        u16(static_cast<std::uint16_t>(value));
        u16(static_cast<std::uint16_t>(value >> 16));
    }
    void i32(std::int32_t value) { u32(static_cast<std::uint32_t>(value)); }
    void tag(std::string_view four_chars)
    {
        for (char c : four_chars)
            u8(static_cast<std::uint8_t>(c));
    }
    void append(const Bytes& more) { bytes_.insert(bytes_.end(), more.begin(), more.end()); }
    void pad_to_multiple_of(std::size_t n)
    {
        while (bytes_.size() % n != 0)
            u8(0);
    }

    std::size_t size() const { return bytes_.size(); }
    Bytes take() { return std::move(bytes_); }

private:
    Bytes bytes_;
};

}
