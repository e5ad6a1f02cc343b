#include "platform/picture/PictureFile.h"
#include "platform/codec/PictureLimits.h"

#include "platform/picture/BitmapFile.h"
#include "platform/system/RegularFile.h"
#include "platform/system/RuntimeError.h"

#include <QFile>

#include <cerrno>

namespace platform {

namespace {

[[noreturn]] void throw_refused(const FileRefusal& refusal)
{
    if (refusal.reason() != FileRefusal::Reason::SystemError)
        throw RuntimeError(err::InvalidPicture, "Invalid picture");
    const int error = refusal.error();
    if (error == ENOENT || error == ENOTDIR || error == ENAMETOOLONG || error == ELOOP)
        throw RuntimeError(err::FileNotFound, "File not found");
    throw RuntimeError(err::PathFileAccessError, refusal.what());
}

QByteArray read_built_in(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        throw RuntimeError(err::FileNotFound, "File not found");
    return file.readAll();
}

}

PictureFile open_picture_file(const std::string& path)
{
    if (path.starts_with(":/"))
        return { read_built_in(path), nullptr };
    try {
        auto file = std::make_unique<RegularFile>(path, MaxPictureBytes);
        if (const auto big_bitmap = big_bitmap_file(file)) {
            if (!*big_bitmap)
                throw RuntimeError(err::InvalidPicture, "Invalid picture");
            return { {}, *big_bitmap };
        }
        QByteArray bytes(static_cast<qsizetype>(file->size()), Qt::Uninitialized);
        bytes.truncate(static_cast<qsizetype>(file->read(bytes.data(), bytes.size())));
        return { bytes, nullptr };
    } catch (const FileRefusal& refusal) {
        throw_refused(refusal);
    }
}

}
