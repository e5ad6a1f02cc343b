#include "platform/system/RegularFile.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

std::optional<FileRefusal> refusal_of(const struct stat& info, std::int64_t largest)
{
    if (!S_ISREG(info.st_mode))
        return FileRefusal(FileRefusal::Reason::NotRegular);
    if (info.st_size > largest)
        return FileRefusal(FileRefusal::Reason::TooBig);
    return std::nullopt;
}

}

FileRefusal::FileRefusal(Reason reason, int error, const std::string& description)
    : std::runtime_error(description), m_reason(reason), m_error(error)
{
}

FileRefusal::FileRefusal(Reason reason)
    : FileRefusal(reason, 0, reason == Reason::TooBig ? "too big" : "not a regular file")
{
}

FileRefusal FileRefusal::system_error(int error) { return { Reason::SystemError, error, std::strerror(error) }; }

std::optional<FileRefusal> refusal_before_opening(const std::string& path, std::int64_t largest)
{
    struct stat info { };
    if (::stat(path.c_str(), &info) != 0)
        return FileRefusal::system_error(errno);
    return refusal_of(info, largest);
}

RegularFile::RegularFile(const std::string& path, std::int64_t largest)
{
    if (auto refusal = refusal_before_opening(path, largest))
        throw *refusal;
    m_fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (m_fd < 0)
        throw FileRefusal::system_error(errno);
    struct stat info { };
    auto refusal = ::fstat(m_fd, &info) == 0 ? refusal_of(info, largest) : FileRefusal::system_error(errno);
    if (refusal) {
        ::close(m_fd);
        throw *refusal;
    }
    m_size = info.st_size;
}

RegularFile::~RegularFile() { ::close(m_fd); }

namespace {

// Up to `count` bytes, fewer only where the file ends; from `offset`, or on from the last read
// when it is negative.
std::size_t read_fully(int fd, char* into, std::size_t count, std::int64_t offset)
{
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got = offset < 0 ? ::read(fd, into + done, count - done)
                                       : ::pread(fd, into + done, count - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw FileRefusal::system_error(errno);
        if (got == 0)
            break; // the end, perhaps nearer than when opened
        done += static_cast<std::size_t>(got);
    }
    return done;
}

}

std::size_t RegularFile::read(char* into, std::size_t count) { return read_fully(m_fd, into, count, -1); }

std::size_t RegularFile::read_at(std::int64_t offset, char* into, std::size_t count) const
{
    return read_fully(m_fd, into, count, offset);
}

}
