#include "app/Form1.h"

#include "dialogs/frmSet.h"
#include "dialogs/frmShowVersion.h"
#include "platform/forms/Forms.h"
#include "platform/forms/MouseState.h"
#include "platform/forms/WindowMessages.h"
#include "platform/picture/LoadPicture.h"
#include "platform/system/System.h"

using namespace platform;

namespace {
constexpr OLE_COLOR FrameOutline = 0x808080;
constexpr OLE_COLOR FrameFill = 0xE0E0E0;
}

Form1::Form1()
    : Form("Form1", "ポルカ号　-　QK31T0207", BorderStyle::FixedSingle, 9960, 3180, vbButtonFace)
{
    set_icon("bus.ico");
    set_picture(LoadAssetPicture("bus_body.bmp"));
    picSlideBase1.set_picture(LoadAssetPicture("slide_base.bmp"));
    Image2.set_picture(LoadAssetPicture("slide_leaf.bmp"));
    ImgDesiMaku.set_picture(LoadAssetPicture("sign_blank.bmp"));
    create_door_images();
    create_frame_shapes();
    connect_sign_handlers();
    connect_signboard_handlers();
    finish_design();
}

void Form1::create_door_images()
{
    auto& left_leaf = imgNakaorido.add(0, *this, "imgNakaorido", Image::Design { { 4260, 705, 780, 2235 }, true });
    auto& right_leaf = imgNakaorido.add(1, *this, "imgNakaorido", Image::Design { { 5040, 705, 780, 2235 }, true });
    auto& front_door = Image1.add(2, *this, "Image1", Image::Design { { 300, 705, 1095, 2220 }, true });
    auto& front_inner = Image1.add(1, *this, "Image1", Image::Design { { 1590, 1020, 630, 2055 }, true, false });
    left_leaf.set_picture(LoadAssetPicture("middle_leaf_left.bmp"));
    right_leaf.set_picture(LoadAssetPicture("middle_leaf_right.bmp"));
    front_door.set_picture(LoadAssetPicture("front_door.bmp"));
    front_inner.set_picture(LoadAssetPicture("front_inner.bmp"));
}

void Form1::create_frame_shapes()
{
    const TwipsRect bars[] = { { 7350, 1650, 75, 495 }, { 8835, 1650, 75, 495 }, { 7350, 2115, 1560, 60 } };
    for (std::int16_t index = 0; index < 3; ++index)
        shpK_Waku.add(index, *this, "shpK_Waku", Shape::Design { bars[index], FrameOutline, FrameFill });
}

void Form1::Form_Load()
{
    LoadIni();
    frmSet& panel = window<frmSet>();
    panel.Show(ShowMode::Modeless);
    SetWindowPos(panel.hWnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
    set_caption("ポルカ号　-　" + exe_name());
}

void Form1::Form_Unload(std::int16_t&)
{
    SaveIni();
    End();
}

void Form1::Form_MouseDown(std::int16_t Button, std::int16_t, float, float)
{
    if (Button == vbRightButton)
        PopupMenu(MnuTempMenu1);
}

void Form1::MnuHelpVer_Click() { window<frmShowVersion>().Show(ShowMode::Modal); }
