#include "dialogs/frmSet.h"

#include "app/Form1.h"
#include "platform/forms/Forms.h"
#include "platform/picture/LoadPicture.h"

using namespace platform;

namespace {

CheckBox::Design switch_design(TwipsRect rect, std::int16_t tab_index, const char* face)
{
    return { rect, tab_index, LoadAssetPicture(face) };
}

}

frmSet::frmSet()
    : Form("frmSet", "設定パネル", BorderStyle::FixedToolWindow, 3945, 2565, Ground),
      Check1(FrameA, "Check1", switch_design({ 75, 165, 735, 510 }, 19, "switch_front.bmp")),
      Check2(FrameA, "Check2", switch_design({ 60, 840, 735, 525 }, 20, "switch_middle.bmp"))
{
    create_mode_options();
    create_keypad();
    connect_handlers();
    finish_design();
}

void frmSet::create_mode_options()
{
    Option1.add(0, Frame2, "Option1", OptionButton::Design { { 60, 180, 735, 270 }, "両方", 18, ModeGround, true });
    Option1.add(1, Frame2, "Option1", OptionButton::Design { { 795, 180, 570, 270 }, "左", 17, ModeGround });
    Option1.add(2, Frame2, "Option1", OptionButton::Design { { 1470, 165, 555, 270 }, "右", 16, ModeGround });
}

void frmSet::create_keypad()
{
    // Telephone-style: 7 8 9 / 4 5 6 / 1 2 3 / 0 C 設定.
    constexpr float Lefts[] = { 75, 570, 1065 };
    constexpr float Tops[] = { 600, 990, 1380, 1770 };
    constexpr std::int16_t Grid[4][3] = { { 7, 8, 9 }, { 4, 5, 6 }, { 1, 2, 3 }, { 0, 10, 11 } };
    const Font digit_font { "ＭＳ Ｐゴシック", 12.0f };
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 3; ++column) {
            const std::int16_t index = Grid[row][column];
            CommandButton::Design design { { Lefts[column], Tops[row], 510, 390 }, std::to_string(index),
                                           static_cast<std::int16_t>(index + 1), digit_font };
            if (index >= 10) {
                design.caption = index == 10 ? "C" : "設定";
                design.font = Font {};
                design.graphical = true;
                design.back_color = KeypadOrange;
            }
            Command2.add(index, Frame1, "Command2", design);
        }
    }
}

void frmSet::connect_handlers()
{
    Check1.on_click = [this] { Check1_Click(); };
    Check2.on_click = [this] { Check2_Click(); };
    HScroll1.on_change = [this] { HScroll1_Change(); };
    HScroll2.on_change = [this] { HScroll2_Change(); };
    Command1.on_click = [this] { Command1_Click(); };
    Command3.on_click = [this] { Command3_Click(); };
    Command2.for_each([this](std::int16_t index, CommandButton& key) { key.on_click = [this, index] { Command2_Click(index); }; });
}

std::int16_t frmSet::selected_mode() const
{
    if (Option1(0).value())
        return 0;
    return Option1(1).value() ? 1 : 2;
}

frmSet::Kept frmSet::kept() const
{
    return { left(), top(), HScroll1.value(), HScroll2.value(), selected_mode() };
}

void frmSet::Form_Unload(std::int16_t&) { kept_at_close = kept(); }

void frmSet::Check1_Click() { window<Form1>().Check1_Click(); }

void frmSet::Check2_Click()
{
    // The mode is locked while the middle door is open, so it closes as it opened.
    Frame2.set_enabled(Check2.value() != 1);
    window<Form1>().Check2_Click();
}

void frmSet::HScroll1_Change() { window<Form1>().HScroll1_Change(); }
void frmSet::HScroll2_Change() { window<Form1>().HScroll2_Change(); }
void frmSet::Command1_Click() { window<Form1>().MnuEditHkPic_Click(); }
void frmSet::Command3_Click() { window<Form1>().MnuHelpVer_Click(); }
