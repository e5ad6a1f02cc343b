#pragma once
// The names behind a hidden file list: the plain files of one folder that match a pattern,
// read when the folder or the pattern is set and not refreshed afterwards. The working
// folder it starts with is read only when its list is first used. Names are the bytes the
// disk holds.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

class FileList {
public:
    // The process's working folder with the pattern "*.*".
    FileList();

    const std::string& pattern() const { return m_pattern; }
    // Patterns separated by ";" with the wildcards * and ?, letter case ignored. Re-reads
    // the folder; one that can no longer be read leaves the list empty.
    void set_pattern(const std::string& pattern);

    const std::string& path() const { return m_path; }
    // Reads the folder's listing. Fails with run-time error 76 for a folder that does not
    // exist, or 75 with the system's text for one that cannot be read; the old folder and
    // list stay.
    void set_path(const std::string& path);

    // The count is 16 bits wide: a folder with more matching files keeps only the first
    // 32,767 names in list order.
    std::int16_t list_count() const;
    // "" outside 0..count-1.
    std::string list(int index) const;

private:
    std::string m_pattern { "*.*" };
    std::string m_path;
    const std::vector<std::string>& names() const;

    // Nothing until the starting folder's list is first used or a folder is set.
    mutable std::optional<std::vector<std::string>> m_names;
};

}
