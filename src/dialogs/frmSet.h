#pragma once
// The settings panel: the door switches and speeds, the middle-door mode, the keypad that
// puts a sign on the bus by number, and the buttons of the two dialogs. It owns no state of
// its own beyond its controls; it forwards to the main window.
#include "platform/forms/Form.h"
#include "platform/forms/controls/CheckBox.h"
#include "platform/forms/controls/CommandButton.h"
#include "platform/forms/controls/ControlArray.h"
#include "platform/forms/controls/Frame.h"
#include "platform/forms/controls/HScrollBar.h"
#include "platform/forms/controls/Label.h"
#include "platform/forms/controls/OptionButton.h"

#include <optional>

class frmSet : public platform::Form {
public:
    frmSet();

    // What the settings file keeps of the panel.
    struct Kept {
        float left { 0 };
        float top { 0 };
        std::int16_t front_speed { 0 };
        std::int16_t middle_speed { 0 };
        std::int16_t mode { 0 };
    };
    Kept kept() const;
    // The middle-door mode selected: 0 both, 1 left, else 2 right.
    std::int16_t selected_mode() const;
    // What the panel held when the user closed it during this run, so that the end of the
    // run saves that and not a fresh panel's design values.
    static inline std::optional<Kept> kept_at_close;

    static constexpr platform::OLE_COLOR Ground = platform::RGB(64, 64, 64);
    static constexpr platform::OLE_COLOR SpeedText = platform::RGB(255, 192, 128);
    static constexpr platform::OLE_COLOR ModeGround = platform::RGB(224, 224, 224);
    static constexpr platform::OLE_COLOR KeypadOrange = platform::RGB(255, 128, 0);

    platform::Frame FrameA { *this, "FrameA", { .rect { 30, 30, 2190, 1965 }, .tab_index = 14, .back_color = platform::vbBlack } };
    platform::CheckBox Check1;
    platform::HScrollBar HScroll1 { FrameA, "HScroll1",
        { .rect { 855, 195, 1260, 240 }, .tab_index = 22, .min = 1, .max = 30000, .value = 6000 } };
    platform::Label lblMaeSpeed { FrameA, "lblMaeSpeed",
        { .rect { 885, 450, 1215, 240 }, .caption = "0", .back_color = platform::vbBlack, .fore_color = SpeedText } };
    platform::CheckBox Check2;
    platform::HScrollBar HScroll2 { FrameA, "HScroll2",
        { .rect { 840, 840, 1230, 240 }, .tab_index = 21, .min = 1, .max = 30000, .value = 10000 } };
    platform::Label lblNakaSpeed { FrameA, "lblNakaSpeed",
        { .rect { 870, 1110, 1200, 240 }, .caption = "0", .back_color = platform::vbBlack, .fore_color = SpeedText } };
    platform::Frame Frame2 { FrameA, "Frame2",
        { .rect { 60, 1410, 2085, 480 }, .caption = "中扉動作", .tab_index = 15, .back_color = ModeGround } };
    platform::ControlArray<platform::OptionButton> Option1;
    platform::Frame Frame1 { *this, "Frame1", { .rect { 2265, 0, 1620, 2505 }, .tab_index = 0, .back_color = Ground } };
    platform::Label Label1 { Frame1, "Label1",
        { .rect { 90, 240, 1455, 315 }, .back_color = platform::vbBlack, .fore_color = KeypadOrange,
          .font { "ＭＳ ゴシック", 14.25f } } };
    platform::ControlArray<platform::CommandButton> Command2;
    platform::CommandButton Command1 { Frame1, "Command1",
        { .rect { 75, 2190, 1530, 270 }, .caption = "方向幕フォルダー", .tab_index = 26 } };
    platform::CommandButton Command3 { *this, "Command3",
        { .rect { 720, 2145, 1515, 360 }, .caption = "バージョン情報", .tab_index = 25 } };

protected:
    void Form_Unload(std::int16_t& Cancel) override;

private:
    void create_mode_options();
    void create_keypad();
    void connect_handlers();

    void Check1_Click();
    void Check2_Click();
    void HScroll1_Change();
    void HScroll2_Change();
    void Command1_Click();
    void Command3_Click();
    void Command2_Click(std::int16_t Index);
    void show_sign_by_number();
};
