#include "platform/system/FileList.h"

#include "platform/system/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <limits>
#include <memory>
#include <system_error>

#include <dirent.h>
#include <sys/stat.h>

namespace platform {

namespace {

constexpr std::size_t MaxNames = std::numeric_limits<std::int16_t>::max();

struct CloseFolder {
    void operator()(DIR* folder) const { ::closedir(folder); }
};
using Folder = std::unique_ptr<DIR, CloseFolder>;

[[noreturn]] void throw_folder_error(int error)
{
    if (error == ENOENT || error == ENOTDIR)
        throw RuntimeError(err::PathNotFound, "Path not found");
    throw RuntimeError(err::PathFileAccessError, std::generic_category().message(error));
}

// All the patterns as one expression, so that each name is tried once. Spaces around a
// pattern and empty patterns are dropped; no pattern at all lets every file through.
QRegularExpression name_filter(const std::string& pattern)
{
    QStringList alternatives;
    for (const QString& part : QString::fromStdString(pattern).split(';')) {
        if (const QString wildcard = part.trimmed(); !wildcard.isEmpty())
            alternatives << QRegularExpression::wildcardToRegularExpression(wildcard);
    }
    QRegularExpression filter(alternatives.isEmpty() ? QStringLiteral(".*") : alternatives.join('|'),
                              QRegularExpression::CaseInsensitiveOption);
    filter.optimize();
    return filter;
}

Folder open_folder(const std::string& path)
{
    Folder folder(::opendir(path.c_str())); // "" fails as a missing folder
    if (!folder)
        throw_folder_error(errno);
    return folder;
}

// The next entry, or nullptr at the end of the folder.
const dirent* next_entry(DIR* folder)
{
    errno = 0;
    const dirent* entry = ::readdir(folder);
    if (!entry && errno != 0)
        throw_folder_error(errno);
    return entry;
}

// A link counts when it leads to a plain file; a broken one does not.
bool is_plain_file(int folder_fd, const dirent& entry)
{
    if (entry.d_type == DT_REG)
        return true;
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN)
        return false;
    struct stat target { };
    return ::fstatat(folder_fd, entry.d_name, &target, 0) == 0 && S_ISREG(target.st_mode);
}

// A name as the disk holds it (bytes: not every name is valid UTF-8) and as text to
// match and sort.
struct Name {
    std::string bytes;
    QString text;
};

std::vector<Name> matching_files(const std::string& path, const QRegularExpression& filter)
{
    const Folder folder = open_folder(path);
    std::vector<Name> names;
    while (const dirent* entry = next_entry(folder.get())) {
        if (entry->d_name[0] == '.')
            continue; // hidden, and the folder's own "." and ".."
        QString text = QFile::decodeName(entry->d_name);
        if (filter.match(text).hasMatch() && is_plain_file(::dirfd(folder.get()), *entry))
            names.push_back({ entry->d_name, std::move(text) });
    }
    return names;
}

// By name with letter case ignored, the same in every locale. Names that differ only in
// case (or only in bytes that are no text) still get one fixed order, so a sign's number
// never depends on the disk's order.
bool comes_before(const Name& a, const Name& b)
{
    if (const int folded = QString::compare(a.text, b.text, Qt::CaseInsensitive); folded != 0)
        return folded < 0;
    if (a.text != b.text)
        return a.text < b.text;
    return a.bytes < b.bytes;
}

std::vector<std::string> read_listing(const std::string& path, const std::string& pattern)
{
    std::vector<Name> names = matching_files(path, name_filter(pattern));
    std::sort(names.begin(), names.end(), comes_before);
    names.resize(std::min(names.size(), MaxNames));
    std::vector<std::string> listing;
    listing.reserve(names.size());
    for (Name& name : names)
        listing.push_back(std::move(name.bytes));
    return listing;
}

// For a new pattern: a folder that has gone since it was set leaves nothing to list.
std::vector<std::string> listing_or_nothing(const std::string& path, const std::string& pattern)
{
    try {
        return read_listing(path, pattern);
    } catch (const RuntimeError&) {
        return {};
    }
}

}

FileList::FileList()
    : m_path(QFile::encodeName(QDir::currentPath()).toStdString())
{
}

const std::vector<std::string>& FileList::names() const
{
    if (!m_names)
        m_names = listing_or_nothing(m_path, m_pattern);
    return *m_names;
}

void FileList::set_pattern(const std::string& pattern)
{
    if (m_names)
        m_names = listing_or_nothing(m_path, pattern);
    m_pattern = pattern;
}

void FileList::set_path(const std::string& path)
{
    m_names = read_listing(path, m_pattern); // throws before anything changes
    m_path = path;
}

std::int16_t FileList::list_count() const { return static_cast<std::int16_t>(names().size()); }

std::string FileList::list(int index) const
{
    if (index < 0 || index >= list_count())
        return {};
    return names()[static_cast<std::size_t>(index)];
}

}
