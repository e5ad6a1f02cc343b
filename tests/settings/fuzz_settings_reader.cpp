// The settings reader on any bytes: it must end with sixteen fields or a failure, never a
// crash, and what it read must write and read back the same.
#include "logic/SettingsRecord.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const SettingsRead read = read_settings(std::string_view(reinterpret_cast<const char*>(data), size));
    if (read.fields_read < 0 || read.fields_read > SettingsFieldCount || read.failure.empty() != (read.fields_read == SettingsFieldCount))
        std::abort();
    if (read.failure.empty()) {
        const SettingsRead again = read_settings(write_settings(read.record));
        if (!again.failure.empty() || !(again.record == read.record))
            std::abort();
    }
    return 0;
}
