#include "platform/picture/PictureFile.h"
#include "platform/codec/PictureLimits.h"

#include "platform/picture/DecodePicture.h"
#include "platform/system/RuntimeError.h"

#include <QFile>

#include <cerrno>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) { }
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

[[noreturn]] void throw_open_error(int error)
{
    if (error == ENOENT || error == ENOTDIR || error == ENAMETOOLONG || error == ELOOP)
        throw RuntimeError(err::FileNotFound, "File not found");
    throw RuntimeError(err::PathFileAccessError, std::generic_category().message(error));
}

[[noreturn]] void throw_no_picture() { throw RuntimeError(err::InvalidPicture, "Invalid picture"); }

void require_regular(const struct stat& info)
{
    if (!S_ISREG(info.st_mode) || info.st_size > MaxPictureBytes)
        throw_no_picture();
}

QByteArray read_all(int fd, qint64 size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    qint64 done = 0;
    while (done < size) {
        const ssize_t got = ::read(fd, bytes.data() + done, static_cast<std::size_t>(size - done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw_open_error(errno);
        if (got == 0)
            break; // the file became shorter meanwhile
        done += got;
    }
    bytes.truncate(done);
    return bytes;
}

QByteArray read_built_in(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        throw RuntimeError(err::FileNotFound, "File not found");
    return file.readAll();
}

}

QByteArray read_picture_file(const std::string& path)
{
    if (path.starts_with(":/"))
        return read_built_in(path);
    // Looked at before opening, so that opening a device never happens; checked again on
    // what was opened, in case the name was replaced meanwhile.
    struct stat info { };
    if (::stat(path.c_str(), &info) != 0)
        throw_open_error(errno);
    require_regular(info);
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0)
        throw_open_error(errno);
    if (::fstat(file.get(), &info) != 0)
        throw_open_error(errno);
    require_regular(info);
    return read_all(file.get(), info.st_size);
}

}
