#include "platform/picture/BitmapFile.h"

#include "platform/codec/Dib.h"
#include "platform/codec/PictureLimits.h"
#include "platform/system/RegularFile.h"

#include <vector>

namespace platform {

namespace {

// The file header, the largest bitmap header, the largest colour table and the colour masks.
constexpr std::size_t HeadBytes = 14 + 124 + 256 * 4 + 12;

using FileBytes = std::vector<std::uint8_t>;

// Up to `count` bytes from `offset`: fewer where the file has become shorter.
FileBytes read_at(const RegularFile& file, std::int64_t offset, std::size_t count)
{
    FileBytes bytes(count);
    bytes.resize(file.read_at(offset, reinterpret_cast<char*>(bytes.data()), count));
    return bytes;
}

class BitmapFileSource : public PictureSource {
public:
    BitmapFileSource(std::unique_ptr<RegularFile> file, FileBytes head, QSize size)
        : m_file(std::move(file)), m_head(std::move(head)), m_size(size)
    {
    }

    QSize size() const override { return m_size; }

    QImage render(const QRect& area) const override
    {
        const Bytes info = Bytes(m_head).from(14);
        try {
            const DibRows span = dib_rows(info, area, MaxPicturePixels);
            const FileBytes rows = read_at(*m_file, Bytes(m_head).u32(10) + span.first * span.stride,
                static_cast<std::size_t>(span.count * span.stride));
            return decode_dib_rows(info, Bytes(rows), span, area, MaxPicturePixels).image;
        } catch (const DamagedPicture&) {
            return {}; // the file was cut short since it was opened
        } catch (const FileRefusal&) {
            return {};
        }
    }

private:
    std::unique_ptr<RegularFile> m_file;
    FileBytes m_head;
    QSize m_size;
};

bool is_bitmap_file(Bytes head) { return head.has(0, 2) && head.u8(0) == 'B' && head.u8(1) == 'M'; }

}

std::optional<std::shared_ptr<const PictureSource>> big_bitmap_file(std::unique_ptr<RegularFile>& file)
{
    FileBytes head = read_at(*file, 0, static_cast<std::size_t>(std::min<std::int64_t>(HeadBytes, file->size())));
    const Bytes bytes(head);
    if (!is_bitmap_file(bytes))
        return std::nullopt;
    try {
        const std::optional<QSize> size = dib_size(bytes.from(14), MaxPicturePixels);
        if (!size || std::int64_t(size->width()) * size->height() <= WholePicturePixels)
            return std::nullopt;
        const DibRows all = dib_rows(bytes.from(14), QRect(QPoint(0, 0), *size), MaxPicturePixels);
        if (bytes.u32(10) + all.total * all.stride > file->size())
            return nullptr;
        return std::make_shared<BitmapFileSource>(std::move(file), std::move(head), *size);
    } catch (const DamagedPicture&) {
        return nullptr;
    }
}

}
