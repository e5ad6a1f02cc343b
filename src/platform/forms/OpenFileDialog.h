#pragma once
// A window's open-file dialog: modal, owned by the window, offering one list of patterns
// ("*.bmp;*.gif") matched with letter case ignored. Tests put a scripted picker in place of
// the real dialog (Override<FilePicker>).
#include "platform/system/Replaceable.h"

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

class Form;

class FilePicker {
public:
    virtual ~FilePicker() = default;
    // The chosen file's full path, or nothing when the user cancelled.
    virtual std::optional<std::string> pick(std::intptr_t owner, const std::string& pattern) = 0;
};

template <>
FilePicker& Replaceable<FilePicker>::real();

class OpenFileDialog {
public:
    OpenFileDialog(Form& owner, std::string pattern);

    const std::string& pattern() const { return m_pattern; }
    // The full path of the file chosen at the last ShowOpen, "" when it was cancelled.
    const std::string& file_name() const { return m_file_name; }

    // Returns when the dialog has closed.
    void ShowOpen();

private:
    Form* m_owner;
    std::string m_pattern;
    std::string m_file_name;
};

}
