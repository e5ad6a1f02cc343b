#pragma once
// The record's fields in file order, with the kind that decides how each is written and read.
#include "logic/SettingsRecord.h"

#include <array>
#include <variant>

namespace settings_fields {

using Number = std::int32_t SettingsRecord::*;
using ShortNumber = std::int16_t SettingsRecord::*;
using Text = std::string SettingsRecord::*;
using Truth = bool SettingsRecord::*;
using Field = std::variant<Number, ShortNumber, Text, Truth>;

inline constexpr std::array<Field, SettingsFieldCount> InFileOrder {
    &SettingsRecord::form_left,      &SettingsRecord::form_top,       &SettingsRecord::panel_left,
    &SettingsRecord::panel_top,      &SettingsRecord::sign_folder,    &SettingsRecord::spare_text,
    &SettingsRecord::spare_number_0, &SettingsRecord::spare_number_1, &SettingsRecord::kanban_picture,
    &SettingsRecord::kanban_left,    &SettingsRecord::kanban_top,     &SettingsRecord::kanban_shown,
    &SettingsRecord::frame_shown,    &SettingsRecord::front_speed,    &SettingsRecord::middle_speed,
    &SettingsRecord::mode,
};

// One handler for each kind of field, for std::visit.
template <class... Handler>
struct ForEachKind : Handler... {
    using Handler::operator()...;
};
template <class... Handler>
ForEachKind(Handler...) -> ForEachKind<Handler...>;

inline constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
inline constexpr std::string_view True = "#TRUE#";
inline constexpr std::string_view False = "#FALSE#";

}
