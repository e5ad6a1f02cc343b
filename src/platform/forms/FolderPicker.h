#pragma once
// The folder-browse dialog: folders only, starting at the file system's root, owned by a
// window. Tests put a scripted picker in place of the real one (Override<FolderPicker>).
#include "platform/system/Replaceable.h"

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

class FolderPicker {
public:
    virtual ~FolderPicker() = default;
    // The chosen folder's full path, or nothing when the user cancelled.
    virtual std::optional<std::string> pick(std::intptr_t owner, const std::string& title) = 0;
};

template <>
FolderPicker& Replaceable<FolderPicker>::real();

std::optional<std::string> BrowseForFolder(std::intptr_t owner, const std::string& title);

}
