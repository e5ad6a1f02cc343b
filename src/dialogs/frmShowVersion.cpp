#include "dialogs/frmShowVersion.h"

#include "platform/forms/MsgBox.h"
#include "platform/forms/OpenDocument.h"
#include "platform/picture/LoadPicture.h"
#include "platform/system/LibraryFunction.h"
#include "platform/system/RuntimeError.h"
#include "platform/system/System.h"

using namespace platform;

frmShowVersion::frmShowVersion()
    : Form("frmShowVersion", "ポルカ号のバージョン情報", BorderStyle::FixedDialog, 4995, 3345, vbWhite)
{
    Image1.set_picture(LoadAssetPicture("bus.ico"));
    create_labels();
    Command1.on_click = [this] { Command1_Click(); };
    Label5.on_click = [this] { Label5_Click(); };
    finish_design();
}

void frmShowVersion::create_labels()
{
    Label1.add(0, *this, "Label1", Label::Design { { 900, 240, 3840, 330 }, "ポルカ号", Grey, Yellow, { .size = 14.25f, .bold = true } });
    Label1.add(1, *this, "Label1", Label::Design { { 165, 720, 4605, 270 }, "型番・製造番号：", Grey, Yellow, { .size = 9.75f, .bold = true } });
    Label3.add(0, *this, "Label3", Label::Design { { 165, 1290, 3225, 240 }, "(C) 2026 ずばら堂", Grey, vbWhite });
    Label3.add(1, *this, "Label3", Label::Design { { 165, 1545, 3225, 240 }, "制作：ずばら堂模型部 2025-2026", Grey, vbWhite });
    Label3.add(2, *this, "Label3", Label::Design { { 150, 1860, 4650, 885 },
        "このプログラムは路線バスの模型「ポルカ号」を画面の上で遊ぶためのものです。"
        "方向幕と看板の画像は、お手持ちの画像ファイルをお使いください。"
        "ご意見・ご感想は、下のずばら堂HPからお寄せください。", Grey, vbWhite });
}

void frmShowVersion::Form_Load()
{
    // The executable's name is the model and serial number of the bus it stands for.
    Label1(1).set_caption("型番・製造番号：" + exe_name());
}

void frmShowVersion::Command1_Click()
{
    Hide();
    Unload();
}

void frmShowVersion::Label5_Click()
{
    try {
        OpenDocument(CallTextFunction(MakerLibrary, MakerFunction));
    } catch (const RuntimeError& failure) {
        MsgBox(std::string(failure.what()) + "\r\n\r\n 上記内容をずばら堂HP関係者まで報告してください。", vbCritical,
               "Zubhpurl.dllのエラー");
    }
}
