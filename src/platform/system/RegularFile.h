#pragma once
// A file at a path the user may have picked or replaced, read without ever waiting. What lies at
// the path is looked at before anything is opened, so a FIFO, a device or a folder is refused
// unopened (opening one may wait, or do something); what was opened is looked at again in case
// the name was replaced meanwhile. A link is followed. The path is bytes, as the system has it.
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>

namespace platform {

// Why a path gives no bytes; thrown by RegularFile.
class FileRefusal : public std::runtime_error {
public:
    enum class Reason { SystemError, NotRegular, TooBig };
    // The system's own description of `error`.
    static FileRefusal system_error(int error);
    explicit FileRefusal(Reason reason);

    Reason reason() const { return m_reason; }
    int error() const { return m_error; } // the system's error number, for SystemError

private:
    FileRefusal(Reason reason, int error, const std::string& description);

    Reason m_reason;
    int m_error;
};

inline constexpr std::int64_t AnySize = std::numeric_limits<std::int64_t>::max();

// Why the path is refused, looked at without opening it; nothing for a regular file of at most
// `largest` bytes.
std::optional<FileRefusal> refusal_before_opening(const std::string& path, std::int64_t largest = AnySize);

class RegularFile {
public:
    // Throws FileRefusal unless the path leads to a regular file of at most `largest` bytes
    // that opens.
    explicit RegularFile(const std::string& path, std::int64_t largest = AnySize);
    ~RegularFile();
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    // Its size when opened.
    std::int64_t size() const { return m_size; }
    // Up to `count` bytes on from the last read (fewer where the file ends); throws FileRefusal
    // when reading fails.
    std::size_t read(char* into, std::size_t count);
    // The same from `offset`, without moving on.
    std::size_t read_at(std::int64_t offset, char* into, std::size_t count) const;

private:
    int m_fd;
    std::int64_t m_size { 0 };
};

}
