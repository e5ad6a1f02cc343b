#include "app/BusEndings.h"

#include "app/Form1.h"
#include "app/SettingsPlace.h"
#include "platform/forms/Forms.h"

#include <exception>
#include <optional>

using namespace platform;

namespace {

// Never destroyed: read by the exit handler when the display has gone away.
std::optional<SettingsRecord>& noted()
{
    static auto* record = new std::optional<SettingsRecord>;
    return *record;
}

bool save_quietly(const SettingsRecord& record)
{
    try {
        save_settings(record);
        return true;
    } catch (const std::exception&) {
        return false; // the old file stays as it was
    }
}

}

DesktopEndings bus_endings()
{
    return {
        .end = [] {
            if (window_exists<Form1>())
                window<Form1>().Unload();
        },
        // A checkpoint that cannot be written is reported at the end, when the bus closes.
        .save = [] {
            if (window_exists<Form1>())
                save_quietly(window<Form1>().settings_now());
        },
        .note = [] {
            if (window_exists<Form1>())
                noted() = window<Form1>().settings_now();
        },
        .display_lost = [] { return noted() && save_quietly(*noted()); },
    };
}
