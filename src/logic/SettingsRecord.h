#pragma once
// The settings file's one record: sixteen comma-separated fields on one line, written at the
// end of a run and read at the next start. Reading and writing know nothing of the windows.
#include <cstdint>
#include <string>
#include <string_view>

struct SettingsRecord {
    std::int32_t form_left { 0 };
    std::int32_t form_top { 0 };
    std::int32_t panel_left { 0 };
    std::int32_t panel_top { 0 };
    std::string sign_folder;
    std::string spare_text;
    std::int32_t spare_number_0 { 0 };
    std::int32_t spare_number_1 { 0 };
    std::string kanban_picture;
    std::int32_t kanban_left { 0 };
    std::int32_t kanban_top { 0 };
    bool kanban_shown { false };
    bool frame_shown { false };
    std::int32_t front_speed { 0 };
    std::int32_t middle_speed { 0 };
    std::int16_t mode { 0 };

    friend bool operator==(const SettingsRecord&, const SettingsRecord&) = default;
};

inline constexpr int SettingsFieldCount = 16;

// What a file's bytes came to: the fields read before a failure keep their values.
struct SettingsRead {
    SettingsRecord record;
    int fields_read { 0 };
    std::string failure; // empty when all sixteen fields were read
};

// A file starting with the UTF-8 byte-order mark is UTF-8, any other code page 932.
// Anything after the sixteenth field is ignored.
SettingsRead read_settings(std::string_view bytes);

// One line ended by CR LF, in code page 932, or in UTF-8 after a byte-order mark when a text
// cannot be held exactly in code page 932.
std::string write_settings(const SettingsRecord& record);
