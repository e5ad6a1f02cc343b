#include "platform/system/SafeFile.h"

#include "platform/system/RuntimeError.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace platform {

// The path is used as the bytes it is: a folder name that is not UTF-8 stays the same folder.
namespace {

RuntimeError failure(int error_number, int error = errno)
{
    return RuntimeError(error_number, std::strerror(error));
}

std::string folder_of(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

void make_folders(const std::string& folder)
{
    struct stat status {};
    if (::stat(folder.c_str(), &status) == 0)
        return;
    if (folder != folder_of(folder))
        make_folders(folder_of(folder));
    if (::mkdir(folder.c_str(), 0777) != 0 && errno != EEXIST)
        throw failure(err::PathFileAccessError);
}

// A new file beside the old one, under a name no one else uses.
struct NewFile {
    std::string path;
    int fd { -1 };
};

NewFile create_beside(const std::string& path)
{
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        NewFile file { path + ".new" + std::to_string(random() % 1000000) };
        file.fd = ::open(file.path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (file.fd >= 0)
            return file;
        if (errno != EEXIST)
            throw failure(err::PathFileAccessError);
    }
    throw failure(err::PathFileAccessError, EEXIST);
}

void write_all(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            throw failure(err::DeviceIOError, written < 0 ? errno : ENOSPC);
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    if (::fsync(fd) != 0)
        throw failure(err::DeviceIOError);
}

// The replacement keeps the permissions the user gave the old file.
void keep_permissions(int fd, const std::string& old_path)
{
    struct stat status {};
    if (::stat(old_path.c_str(), &status) == 0)
        ::fchmod(fd, status.st_mode & 07777);
}

}

void save_file_safely(const std::string& path, std::string_view bytes)
{
    make_folders(folder_of(path));
    const NewFile file = create_beside(path);
    int fd = file.fd;
    try {
        keep_permissions(fd, path);
        write_all(fd, bytes);
        if (::close(std::exchange(fd, -1)) != 0)
            throw failure(err::DeviceIOError);
        if (::rename(file.path.c_str(), path.c_str()) != 0)
            throw failure(err::PathFileAccessError);
    } catch (const RuntimeError&) {
        if (fd >= 0)
            ::close(fd);
        ::unlink(file.path.c_str());
        throw;
    }
}

}
