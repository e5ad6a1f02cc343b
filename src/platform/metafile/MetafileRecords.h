#pragma once
// What both players share: the picture's size in pixels checked, the names of record kinds
// and refusals that name the record they come from.
#include "platform/codec/ByteReader.h"
#include "platform/codec/PictureLimits.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace platform {

inline int checked_metafile_side(std::int64_t pixels)
{
    require(pixels >= 1, "metafile of no size");
    require(pixels <= MaxMetafileSide, "metafile wider or taller than 8192 px");
    return static_cast<int>(pixels);
}

// A table's name for a record kind; "unknown" for one it lacks.
template <typename Kind, std::size_t Count>
std::string_view name_in(const std::pair<Kind, std::string_view> (&table)[Count], Kind kind)
{
    const auto* found = std::find_if(std::begin(table), std::end(table),
                                     [&](const auto& row) { return row.first == kind; });
    return found == std::end(table) ? "unknown" : found->second;
}

// Returns what `read` does; a refusal from inside it says which kind of record it was in,
// "SetWindowOrg record: too short". The kind is named only then.
template <typename Kind, typename Read> auto within_record(Kind kind, Read read)
{
    try {
        return read();
    } catch (const DamagedPicture& damage) {
        throw DamagedPicture(std::string(record_name(kind)) + " record: " + damage.what());
    }
}

}
