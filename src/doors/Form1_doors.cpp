// The front door and the middle folding door: frame-by-frame movements that run to their
// end inside the switch's click, each frame lasting as long as the speed on the panel says.
#include "app/Common.h"
#include "app/Form1.h"
#include "dialogs/frmSet.h"
#include "platform/forms/Forms.h"
#include "platform/system/Pause.h"

#include <cmath>
#include <string>

using namespace platform;
using namespace doors;

namespace {
int whole_twips(float twips) { return static_cast<int>(std::lround(twips)); }
}

void Form1::Check1_Click()
{
    frmSet& panel = window<frmSet>();
    Image& door = Image1(2);
    door.prepare_widths(FrontDoor.open, FrontDoor.closed);
    FramePacer frames;
    move_door(panel.Check1.value() != 0, whole_twips(door.width()), FrontDoor, [&](int w) {
        door.set_width(static_cast<float>(w));
        door.Refresh(); // on the screen before the pause
        frames.end_frame(panel.HScroll1.value());
    });
}

void Form1::Check2_Click()
{
    frmSet& panel = window<frmSet>();
    const bool opening = panel.Check2.value() != 0;
    for (int leaf : { 0, 1 })
        imgNakaorido(leaf).prepare_widths(MiddleLeaf.open, MiddleLeaf.closed);
    Common::PlayWave(101);
    const MiddleMode mode = middle_mode();
    const Image& measured = imgNakaorido(mode == MiddleMode::Right ? 1 : 0);
    FramePacer frames; // after the sound: it is no part of the first frame
    move_door(opening, whole_twips(measured.width()), MiddleLeaf, [&](int w) {
        middle_step(mode, w);
        frames.end_frame(panel.HScroll2.value());
    });
}

MiddleMode Form1::middle_mode()
{
    frmSet& panel = window<frmSet>();
    if (panel.Option1(0).value())
        return MiddleMode::Both;
    if (panel.Option1(1).value())
        return MiddleMode::Left;
    return MiddleMode::Right;
}

void Form1::middle_step(MiddleMode mode, int w)
{
    Image& left_leaf = imgNakaorido(0);
    Image& right_leaf = imgNakaorido(1);
    if (mode != MiddleMode::Right)
        left_leaf.set_width(static_cast<float>(w));
    if (mode != MiddleMode::Left) {
        right_leaf.set_width(static_cast<float>(w));
        right_leaf.set_left(static_cast<float>(MiddleRightEdge - w));
    }
    left_leaf.Refresh(); // both leaves lie on the main window's surface
}

void Form1::HScroll1_Change()
{
    frmSet& panel = window<frmSet>();
    panel.lblMaeSpeed.set_caption(std::to_string(panel.HScroll1.value()));
}

void Form1::HScroll2_Change()
{
    frmSet& panel = window<frmSet>();
    panel.lblNakaSpeed.set_caption(std::to_string(panel.HScroll2.value()));
}
