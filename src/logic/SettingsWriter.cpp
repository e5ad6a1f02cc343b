// Writing the record: numbers in plain decimal, texts between double quotes with nothing
// escaped, truth values as #TRUE# and #FALSE#, one line ended by CR LF.
#include "logic/SettingsFields.h"
#include "logic/SettingsRecord.h"
#include "platform/text/Cp932.h"

#include <optional>

using namespace settings_fields;

namespace {

// Every text of the record in code page 932; nothing when one of them cannot be held exactly.
std::optional<SettingsRecord> in_code_page_932(SettingsRecord record)
{
    for (const Field& field : InFileOrder) {
        if (!std::holds_alternative<Text>(field))
            continue;
        std::string& text = record.*std::get<Text>(field);
        auto encoded = platform::cp932_from_utf8(text);
        if (!encoded)
            return std::nullopt;
        text = std::move(*encoded);
    }
    return record;
}

std::string line_of(const SettingsRecord& record)
{
    std::string line;
    for (const Field& field : InFileOrder) {
        if (!line.empty())
            line += ',';
        line += std::visit(ForEachKind {
                               [&](Number number) { return std::to_string(record.*number); },
                               [&](ShortNumber number) { return std::to_string(record.*number); },
                               [&](Text text) { return '"' + record.*text + '"'; },
                               [&](Truth truth) { return std::string(record.*truth ? True : False); },
                           },
                           field);
    }
    return line + "\r\n";
}

}

std::string write_settings(const SettingsRecord& record)
{
    if (auto encoded = in_code_page_932(record))
        return line_of(*encoded);
    return std::string(ByteOrderMark) + line_of(record);
}
