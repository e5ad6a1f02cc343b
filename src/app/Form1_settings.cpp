// The settings kept between runs: read and applied once at start-up, written once at the end.
#include "app/Common.h"
#include "app/Form1.h"
#include "app/SettingsPlace.h"
#include "app/WindowReach.h"
#include "logic/SettingsRecord.h"

#include "dialogs/frmSet.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Screens.h"
#include "platform/picture/LoadPicture.h"
#include "platform/system/FileBytes.h"
#include "platform/system/RuntimeError.h"
#include "sign/SignPath.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <vector>

using namespace platform;

namespace {

// The record is one short line; a file longer than this holds nothing more of it.
constexpr std::size_t MostBytesRead = 64 * 1024;

// The fields the file carries straight into the program's variables, as far as they were read.
void take_carried_fields(const SettingsRead& read)
{
    const SettingsRecord& record = read.record;
    const auto was_read = [&read](int field) { return read.fields_read >= field; };
    if (was_read(5))
        Common::HkPath[0] = record.sign_folder;
    if (was_read(6))
        Common::HkPath[1] = record.spare_text;
    if (was_read(7))
        Common::IniSpare[0] = record.spare_number_0;
    if (was_read(8))
        Common::IniSpare[1] = record.spare_number_1;
    if (was_read(9))
        Common::KanbanPicPath = record.kanban_picture;
    if (was_read(16))
        Common::NakaMode = record.mode;
}

SettingsRecord read_settings_file()
{
    const SettingsRead read = read_settings(read_file_start(settings_place().read_path, MostBytesRead));
    take_carried_fields(read);
    if (!read.failure.empty())
        throw std::runtime_error(read.failure);
    return read.record;
}

std::int16_t speed_of(std::int32_t field)
{
    if (field < std::numeric_limits<std::int16_t>::min() || field > std::numeric_limits<std::int16_t>::max())
        throw RuntimeError(err::Overflow, "Overflow");
    return static_cast<std::int16_t>(field);
}

// A picture that cannot be loaded leaves the one shown; its path stays to be saved again.
template <class Control>
void show_picture_if_loaded(Control& control, const std::string& path)
{
    try {
        control.set_picture(LoadPicture(path));
    } catch (const RuntimeError&) {
    }
}

// The first sign of the saved folder. No folder chosen yet, or one that is gone or cannot be
// read, leaves the list and the sign as they were.
void show_first_sign(Form1& bus)
{
    if (Common::HkPath[0].empty())
        return;
    try {
        bus.File1.set_path(Common::HkPath[0]);
    } catch (const RuntimeError&) {
        return;
    }
    const std::string& folder = sign::ApplySignPathRule();
    show_picture_if_loaded(bus.ImgDesiMaku, folder + bus.File1.list(0));
}

// A place saved off every screen there is now (a monitor unplugged, a resolution that shrank)
// is brought back within reach; one that is within reach is kept as saved.
void restore_places(Form1& bus, const SettingsRecord& record)
{
    bus.set_left(static_cast<float>(record.form_left));
    bus.set_top(static_cast<float>(record.form_top));
    frmSet& panel = window<frmSet>();
    panel.set_left(static_cast<float>(record.panel_left));
    panel.set_top(static_cast<float>(record.panel_top));
    const std::vector<TwipsRect> screens = screen_areas();
    const auto bring_within_reach = [&screens](Form& form) {
        // The frame is at least the client area: where that is within reach, so is the frame,
        // and the window manager need not be asked how big the frame will be.
        if (within_reach({ form.left(), form.top(), form.scale_width(), form.scale_height() }, screens))
            return;
        const TwipsRect frame { form.left(), form.top(), form.width(), form.height() };
        const FramePlace place = reachable_place(frame, screens);
        if (place.left != frame.left)
            form.set_left(place.left);
        if (place.top != frame.top)
            form.set_top(place.top);
    };
    bring_within_reach(bus);
    bring_within_reach(panel);
}

void restore_signboard(Form1& bus, const SettingsRecord& record)
{
    bus.PicKanban.set_visible(record.kanban_shown);
    bus.MnuViewKanban.set_checked(record.kanban_shown);
    for (std::int16_t bar = 0; bar < 3; ++bar)
        bus.shpK_Waku(bar).set_visible(record.frame_shown);
    bus.MnuViewWaku.set_checked(record.frame_shown);
    bus.PicKanban.set_left(static_cast<float>(record.kanban_left));
    bus.PicKanban.set_top(static_cast<float>(record.kanban_top));
    show_picture_if_loaded(bus.PicKanban, Common::KanbanPicPath);
}

void restore_speeds(const SettingsRecord& record)
{
    frmSet& panel = window<frmSet>();
    panel.HScroll1.set_value(speed_of(record.front_speed));
    panel.HScroll2.set_value(speed_of(record.middle_speed));
}

// A panel closed during the run is saved as it was when it was closed.
frmSet::Kept panel_to_save()
{
    if (!window_exists<frmSet>() && frmSet::kept_at_close)
        return *frmSet::kept_at_close;
    return window<frmSet>().kept();
}

std::int32_t whole_twips(float twips)
{
    constexpr float Widest = 2147483520.0f; // the largest float below 2^31
    return static_cast<std::int32_t>(std::lround(std::clamp(twips, -Widest, Widest)));
}

}

void Form1::LoadIni()
{
    try {
        const SettingsRecord record = read_settings_file();
        restore_places(*this, record);
        restore_signboard(*this, record);
        PicKanban_DblClick(); // lays the frame around the signboard again
        restore_speeds(record);
        show_first_sign(*this);
        window<frmSet>().Option1(Common::NakaMode).set_value(true);
    } catch (const std::exception&) {
        // No file, a damaged one or a value out of range: the defaults, over whatever was done.
        set_left(0);
        set_top(0);
        frmSet& panel = window<frmSet>();
        panel.set_left(0);
        panel.set_top(height()); // directly below the main window's frame
        MnuKanbanReset_Click();
        panel.HScroll1.set_value(10000);
        panel.HScroll2.set_value(6000);
        panel.Option1(0).set_value(true);
    }
}

void Form1::SaveIni() { save_settings(settings_now()); }

SettingsRecord Form1::settings_now()
{
    const frmSet::Kept panel = panel_to_save();
    SettingsRecord record;
    record.form_left = whole_twips(left());
    record.form_top = whole_twips(top());
    record.panel_left = whole_twips(panel.left);
    record.panel_top = whole_twips(panel.top);
    record.sign_folder = Common::HkPath[0];
    record.spare_text = Common::HkPath[1];
    record.spare_number_0 = Common::IniSpare[0];
    record.spare_number_1 = Common::IniSpare[1];
    record.kanban_picture = Common::KanbanPicPath;
    record.kanban_left = whole_twips(PicKanban.left());
    record.kanban_top = whole_twips(PicKanban.top());
    record.kanban_shown = MnuViewKanban.checked();
    record.frame_shown = MnuViewWaku.checked();
    record.front_speed = panel.front_speed;
    record.middle_speed = panel.middle_speed;
    record.mode = panel.mode;
    return record;
}
