#include "platform/system/FileBytes.h"

#include "platform/system/RuntimeError.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

[[noreturn]] void fail_with_errno()
{
    if (errno == ENOENT)
        throw RuntimeError(err::FileNotFound, "File not found");
    throw RuntimeError(err::PathFileAccessError, std::strerror(errno));
}

class OpenFile {
public:
    explicit OpenFile(const std::string& path)
        : m_fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC))
    {
        if (m_fd < 0)
            fail_with_errno();
    }
    ~OpenFile() { ::close(m_fd); }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    int fd() const { return m_fd; }

private:
    int m_fd;
};

}

std::string read_file_start(const std::string& path, std::size_t limit)
{
    const OpenFile file(path);
    struct stat status {};
    if (::fstat(file.fd(), &status) != 0)
        fail_with_errno();
    if (!S_ISREG(status.st_mode))
        throw RuntimeError(err::PathFileAccessError, "Not a plain file");
    std::string bytes(limit, '\0');
    std::size_t filled = 0;
    while (filled < limit) {
        const ssize_t got = ::read(file.fd(), bytes.data() + filled, limit - filled);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            fail_with_errno();
        if (got == 0)
            break;
        filled += static_cast<std::size_t>(got);
    }
    bytes.resize(filled);
    return bytes;
}

bool path_exists(const std::string& path)
{
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0;
}

}
