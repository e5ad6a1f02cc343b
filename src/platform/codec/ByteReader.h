#pragma once
// Little-endian reads from a picture's bytes, every one checked against the end: a read
// past the end throws DamagedPicture, which the loader turns into "no picture".
#include <cstdint>
#include <cstring>
#include <span>
#include <stdexcept>
#include <string>

namespace platform {

// A picture refused; what() says why, in a few words.
struct DamagedPicture : std::runtime_error {
    explicit DamagedPicture(const std::string& reason = "damaged picture") : std::runtime_error(reason) { }
};

inline void require(bool condition, const char* reason = "damaged picture")
{
    if (!condition)
        throw DamagedPicture(reason);
}

class Bytes {
public:
    Bytes() = default;
    explicit Bytes(std::span<const std::uint8_t> bytes) : m_bytes(bytes) { }

    std::size_t size() const { return m_bytes.size(); }
    const std::uint8_t* data() const { return m_bytes.data(); }
    bool has(std::size_t offset, std::size_t count) const
    {
        return offset <= m_bytes.size() && count <= m_bytes.size() - offset;
    }
    // The part from offset on, count bytes long.
    Bytes part(std::size_t offset, std::size_t count) const
    {
        require(has(offset, count), "too short");
        return Bytes(m_bytes.subspan(offset, count));
    }
    Bytes from(std::size_t offset) const { return part(offset, size() - std::min(offset, size())); }

    std::uint8_t u8(std::size_t at) const { return read<std::uint8_t>(at); }
    std::uint16_t u16(std::size_t at) const { return read<std::uint16_t>(at); }
    std::int16_t i16(std::size_t at) const { return read<std::int16_t>(at); }
    std::uint32_t u32(std::size_t at) const { return read<std::uint32_t>(at); }
    std::int32_t i32(std::size_t at) const { return read<std::int32_t>(at); }
    float f32(std::size_t at) const { return read<float>(at); }
    // Most significant byte first, as a JPEG stores its numbers.
    std::uint16_t u16_big(std::size_t at) const { return static_cast<std::uint16_t>(u8(at) << 8 | u8(at + 1)); }
    std::uint32_t u32_big(std::size_t at) const { return std::uint32_t(u16_big(at)) << 16 | u16_big(at + 2); }

private:
    template <typename T> T read(std::size_t at) const
    {
        require(has(at, sizeof(T)), "too short");
        T value;
        std::memcpy(&value, m_bytes.data() + at, sizeof(T)); // the program runs on little-endian machines
        return value;
    }

    std::span<const std::uint8_t> m_bytes;
};

}
