#include "platform/system/FileBytes.h"

#include "platform/system/RegularFile.h"
#include "platform/system/RuntimeError.h"

#include <cerrno>
#include <sys/stat.h>

namespace platform {

std::string read_file_start(const std::string& path, std::size_t limit)
{
    try {
        RegularFile file(path);
        std::string bytes(limit, '\0');
        bytes.resize(file.read(bytes.data(), limit));
        return bytes;
    } catch (const FileRefusal& refusal) {
        if (refusal.reason() != FileRefusal::Reason::SystemError)
            throw RuntimeError(err::PathFileAccessError, "Not a plain file");
        if (refusal.error() == ENOENT)
            throw RuntimeError(err::FileNotFound, "File not found");
        throw RuntimeError(err::PathFileAccessError, refusal.what());
    }
}

bool path_exists(const std::string& path)
{
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0;
}

}
