#include "dialogs/frmBrowseDir.h"

#include "app/Common.h"
#include "app/Form1.h"
#include "platform/forms/FolderPicker.h"
#include "platform/forms/Forms.h"

using namespace platform;

frmBrowseDir::frmBrowseDir()
    : Form("frmBrowseDir", "画像の位置", BorderStyle::FixedDialog, 6900, 1215, vbButtonFace)
{
    Command2.add(0, *this, "Command2", CommandButton::Design { { 4200, 825, 1230, 345 }, "OK", 3 });
    Command2.add(1, *this, "Command2", CommandButton::Design { { 5520, 825, 1230, 345 }, "キャンセル", 4 });
    Command1.on_click = [this] { Command1_Click(); };
    Command2.for_each([this](std::int16_t index, CommandButton& button) {
        button.on_click = [this, index] { Command2_Click(index); };
    });
    finish_design();
}

void frmBrowseDir::Command1_Click()
{
    // Owned by the main window; the path is kept as returned (file names here are case-sensitive).
    if (const auto folder = BrowseForFolder(window<Form1>().hWnd(), BrowseTitle))
        Text1.set_text(*folder);
}

void frmBrowseDir::Command2_Click(std::int16_t Index)
{
    if (Index == 0) {
        Common::HkPath[0] = Text1.text();
        window<Form1>().picDir();
    }
    Hide();
    Unload();
}
