// The signboard and its frame: its menu, its picture, its dragging and the frame's refit.
#include "app/Common.h"
#include "app/Form1.h"
#include "platform/forms/MouseState.h"
#include "platform/forms/WindowMessages.h"
#include "platform/picture/LoadPicture.h"

#include <stdexcept>

using namespace platform;

namespace {

// The frame: a post on each side of the box, a bar under it, open at the top.
constexpr float PostOffset = 75;   // the left post and the bar start this far left of the box
constexpr float PostOverhang = 15; // the posts reach this far below the box, into the bar
constexpr float BarExtension = 150; // the bar is this much wider than the box

// Where the reset puts the box: its design place and size.
constexpr TwipsRect KanbanHome { 7425, 1665, 1410, 450 };

enum class PostHeights { Keep, Fit };

// Each bar is moved in one move, in index order, from the box's geometry read afresh.
void lay_frame(const PictureBox& box, const ControlArray<Shape>& bars, PostHeights heights)
{
    const float L = box.left();
    const float T = box.top();
    const float W = box.width();
    const float H = box.height();
    Shape& left_post = bars(0);
    Shape& right_post = bars(1);
    Shape& bar = bars(2);
    const auto post_height = [&](const Shape& post) {
        return heights == PostHeights::Fit ? H + PostOverhang : post.height();
    };
    left_post.move(L - PostOffset, T, left_post.width(), post_height(left_post));
    right_post.move(L + W, T, right_post.width(), post_height(right_post));
    bar.move(L - PostOffset, T + H, W + BarExtension, bar.height());
}

}

void Form1::connect_signboard_handlers()
{
    PicKanban.on_mouse_down = [this](std::int16_t Button, std::int16_t Shift, float X, float Y) {
        PicKanban_MouseDown(Button, Shift, X, Y);
    };
    PicKanban.on_dbl_click = [this] { PicKanban_DblClick(); };
    PicKanban.on_resize = [this] { PicKanban_Resize(); };
    MnuViewKanban.on_click = [this] { MnuViewKanban_Click(); };
    MnuViewWaku.on_click = [this] { MnuViewWaku_Click(); };
    MnuSetKanban.on_click = [this] { MnuSetKanban_Click(); };
    MnuKanbanReset.on_click = [this] { MnuKanbanReset_Click(); };
}

void Form1::PicKanban_MouseDown(std::int16_t Button, std::int16_t, float, float)
{
    if (Button == vbLeftButton) {
        // A press on the caption of the box's own window: the window system's move loop takes
        // the box along until the button is released. Its size stays, so the frame stays.
        ReleaseCapture();
        std::int32_t no_position = 0;
        SendMessageA(PicKanban.hWnd(), WM_NCLBUTTONDOWN, HTCAPTION, no_position);
    } else if (Button == vbRightButton) {
        PopupMenu(MnuTempMenu1);
    }
}

// The refit: the frame around the box, posts included.
void Form1::PicKanban_DblClick() { lay_frame(PicKanban, shpK_Waku, PostHeights::Fit); }

// The follow: the posts keep their heights until the next refit.
void Form1::PicKanban_Resize() { lay_frame(PicKanban, shpK_Waku, PostHeights::Keep); }

void Form1::MnuViewKanban_Click()
{
    PicKanban.set_visible(!MnuViewKanban.checked());
    MnuViewKanban.set_checked(!MnuViewKanban.checked());
}

void Form1::MnuViewWaku_Click()
{
    for (std::int16_t i = 0; i < 3; ++i)
        shpK_Waku(i).set_visible(!MnuViewWaku.checked());
    PicKanban_DblClick();
    MnuViewWaku.set_checked(!MnuViewWaku.checked());
}

void Form1::MnuSetKanban_Click()
{
    try {
        C_Dialog1.ShowOpen();
        if (C_Dialog1.file_name().empty())
            return;
        PicKanban.set_picture(LoadPicture(C_Dialog1.file_name()));
        Common::KanbanPicPath = C_Dialog1.file_name();
        PicKanban_DblClick();
    } catch (const std::exception&) {
        // A file that cannot be shown changes nothing, silently.
    }
}

void Form1::MnuKanbanReset_Click()
{
    PicKanban.set_picture(LoadPicture(""));
    PicKanban.move(KanbanHome.left, KanbanHome.top, KanbanHome.width, KanbanHome.height);
    PicKanban_DblClick();
}
