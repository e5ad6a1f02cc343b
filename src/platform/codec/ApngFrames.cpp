#include "platform/codec/ApngFrames.h"

#include "platform/codec/ByteReader.h"

#include <QPainter>

#include <array>
#include <string>

namespace platform {

namespace {

constexpr std::size_t SignatureBytes = 8;
constexpr std::uint8_t DisposeToBackground = 1, DisposeToPrevious = 2;
constexpr std::uint8_t BlendOver = 1;

Bytes bytes_of(const QByteArray& bytes)
{
    return Bytes({ reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size()) });
}

QByteArrayView view_of(Bytes bytes) { return QByteArrayView(bytes.data(), qsizetype(bytes.size())); }

struct Chunk {
    std::string type;
    Bytes data;
    std::size_t end; // where the next chunk starts
};

Chunk chunk_at(Bytes file, std::size_t at)
{
    const std::uint32_t length = file.u32_big(at);
    const Bytes type = file.part(at + 4, 4);
    require(file.has(at + 8, std::size_t(length) + 4), "chunk cut");
    return { std::string(reinterpret_cast<const char*>(type.data()), 4), file.part(at + 8, length), at + 12 + length };
}

}

void require_whole_png(Bytes file)
{
    for (std::size_t at = 8;;) {
        const Chunk chunk = chunk_at(file, at);
        if (chunk.type == "IEND")
            return;
        at = chunk.end;
    }
}

namespace {

std::uint32_t crc32(QByteArrayView bytes)
{
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> made {};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            made[n] = c;
        }
        return made;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char byte : bytes)
        crc = table[(crc ^ std::uint8_t(byte)) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

void append_u32_big(QByteArray& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.append(char(value >> shift & 0xFF));
}

QByteArray chunk_bytes(const char* type, QByteArrayView data)
{
    QByteArray body = QByteArray(type, 4) + data.toByteArray();
    QByteArray out;
    append_u32_big(out, std::uint32_t(data.size()));
    out += body;
    append_u32_big(out, crc32(body));
    return out;
}

struct FrameControl {
    QRect area;
    int delay_ms { 0 };
    std::uint8_t dispose { 0 };
    std::uint8_t blend { 0 };
};

FrameControl frame_control(Bytes data)
{
    const std::uint32_t width = data.u32_big(4), height = data.u32_big(8), x = data.u32_big(12), y = data.u32_big(16);
    require(width <= 0x7FFF && height <= 0x7FFF && x <= 0x7FFF && y <= 0x7FFF, "frame too big");
    const int numerator = data.u16_big(20), denominator = data.u16_big(22);
    return { QRect(int(x), int(y), int(width), int(height)),
             denominator == 0 ? numerator * 10 : numerator * 1000 / denominator, data.u8(24), data.u8(25) };
}

// Frames read one after another from the chunks, each drawn over what the one before left.
class ApngFrameReader : public FrameReader {
public:
    explicit ApngFrameReader(QByteArray bytes) : m_bytes(std::move(bytes))
    {
        const Bytes file = bytes_of(m_bytes);
        const Chunk header = chunk_at(file, SignatureBytes);
        m_header = header.data.part(0, 13);
        m_canvas = QImage(int(m_header.u32_big(0)), int(m_header.u32_big(4)), QImage::Format_ARGB32_Premultiplied);
        m_canvas.fill(Qt::transparent);
        m_at = header.end;
        for (Chunk chunk = header; chunk.type != "IDAT"; chunk = chunk_at(file, chunk.end)) {
            if (chunk.type != "IHDR" && chunk.type != "acTL" && chunk.type != "fcTL")
                m_shared_chunks += chunk_bytes(chunk.type.c_str(), view_of(chunk.data));
        }
    }

protected:
    std::optional<AnimationFrame> read_next() override
    {
        try {
            return next_frame();
        } catch (const DamagedPicture&) {
            return std::nullopt;
        }
    }

private:
    AnimationFrame next_frame()
    {
        require(!m_canvas.isNull());
        dispose_last();
        const Bytes file = bytes_of(m_bytes);
        std::optional<FrameControl> control;
        QByteArray data;
        for (Chunk chunk = chunk_at(file, m_at); chunk.type != "IEND"; chunk = chunk_at(file, m_at)) {
            if (chunk.type == "fcTL" && control)
                break;
            if (chunk.type == "fcTL")
                control = frame_control(chunk.data);
            else if (control && chunk.type == "IDAT")
                data += chunk_bytes("IDAT", view_of(chunk.data));
            else if (control && chunk.type == "fdAT")
                data += chunk_bytes("IDAT", view_of(chunk.data.from(4)));
            m_at = chunk.end;
        }
        require(control && !data.isEmpty(), "no more frames");
        require(QRect(QPoint(0, 0), m_canvas.size()).contains(control->area), "frame outside its canvas");
        draw(*control, decode(control->area.size(), data));
        return { m_canvas, control->delay_ms };
    }

    // The frame's data as a PNG of its own: the file's header at the frame's size.
    QImage decode(QSize size, const QByteArray& data) const
    {
        QByteArray header = view_of(m_header).toByteArray();
        for (int i = 0; i < 4; ++i) {
            header[i] = char(size.width() >> (24 - 8 * i) & 0xFF);
            header[4 + i] = char(size.height() >> (24 - 8 * i) & 0xFF);
        }
        const QByteArray png = view_of(bytes_of(m_bytes).part(0, SignatureBytes)).toByteArray()
            + chunk_bytes("IHDR", header) + m_shared_chunks + data + chunk_bytes("IEND", {});
        const QImage frame = QImage::fromData(png, "PNG");
        require(frame.size() == size, "frame damaged");
        return frame;
    }

    void draw(const FrameControl& control, const QImage& frame)
    {
        // The first frame has nothing before it to go back to.
        m_saved = control.dispose == DisposeToPrevious && m_last ? m_canvas.copy(control.area) : QImage();
        QPainter painter(&m_canvas);
        painter.setCompositionMode(control.blend == BlendOver ? QPainter::CompositionMode_SourceOver
                                                              : QPainter::CompositionMode_Source);
        painter.drawImage(control.area.topLeft(), frame);
        m_last = control;
    }

    void dispose_last()
    {
        if (!m_last || (m_last->dispose != DisposeToBackground && m_last->dispose != DisposeToPrevious))
            return;
        QPainter painter(&m_canvas);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        if (m_last->dispose == DisposeToPrevious && !m_saved.isNull())
            painter.drawImage(m_last->area.topLeft(), m_saved);
        else
            painter.fillRect(m_last->area, Qt::transparent);
    }

    QByteArray m_bytes;
    Bytes m_header;
    QByteArray m_shared_chunks; // palette, transparency, colour space: the same for every frame
    QImage m_canvas;
    QImage m_saved;
    std::optional<FrameControl> m_last;
    std::size_t m_at { 0 };
};

}

std::optional<ApngLayout> read_apng_layout(const QByteArray& bytes)
{
    try {
        const Bytes file = bytes_of(bytes);
        require(bytes.startsWith("\x89PNG\r\n\x1a\n"));
        const Chunk header = chunk_at(file, SignatureBytes);
        require(header.type == "IHDR");
        for (Chunk chunk = header; chunk.type != "IDAT"; chunk = chunk_at(file, chunk.end)) {
            if (chunk.type == "acTL" && chunk.data.u32_big(0) > 1)
                return ApngLayout { QSize(int(header.data.u32_big(0)), int(header.data.u32_big(4))),
                                    int(std::min<std::uint32_t>(chunk.data.u32_big(0), 0x7FFFFFFF)),
                                    int(std::min<std::uint32_t>(chunk.data.u32_big(4), 0x7FFFFFFF)) };
        }
    } catch (const DamagedPicture&) {
    }
    return std::nullopt;
}

std::unique_ptr<FrameReader> apng_frames(const QByteArray& bytes)
{
    try {
        return std::make_unique<ApngFrameReader>(bytes);
    } catch (const DamagedPicture&) {
        return nullptr;
    }
}

}
