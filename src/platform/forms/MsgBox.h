#pragma once
// Message boxes with an OK button only. Tests put a recording box in place of the real one
// (Override<MessageBoxes>).
#include "platform/system/Replaceable.h"

#include <optional>
#include <string>

namespace platform {

inline constexpr int vbOKOnly = 0;
inline constexpr int vbCritical = 16;

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Returns when the user has closed the box.
    virtual void show(const std::string& text, bool critical, const std::string& caption) = 0;
};

// The caption is the program's title unless one is given.
void MsgBox(const std::string& text, int style = vbOKOnly, const std::optional<std::string>& caption = std::nullopt);

template <>
MessageBoxes& Replaceable<MessageBoxes>::real();

}
