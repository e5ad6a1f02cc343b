// The destination sign: stepping with the arrow keys, the focus, and the sign folder.
#include "app/Common.h"
#include "app/Form1.h"
#include "dialogs/frmBrowseDir.h"
#include "platform/forms/Forms.h"
#include "platform/forms/KeyCodes.h"
#include "platform/forms/MsgBox.h"
#include "platform/picture/LoadPicture.h"
#include "platform/system/RuntimeError.h"
#include "sign/SignPath.h"

#include <limits>

using namespace platform;

void Form1::connect_sign_handlers()
{
    Picture1.on_key_down = [this](std::int16_t KeyCode, std::int16_t Shift) { Picture1_KeyDown(KeyCode, Shift); };
    Picture1.on_click = [this] { Picture1_Click(); };
    ImgDesiMaku.on_click = [this] { ImgDesiMaku_Click(); };
    Image1.for_each([this](std::int16_t index, Image& image) { image.on_click = [this, index] { Image1_Click(index); }; });
}

void Form1::Picture1_KeyDown(std::int16_t KeyCode, std::int16_t)
{
    try {
        const std::string& folder = sign::ApplySignPathRule();
        if (KeyCode == vbKeyUp) {
            if (Common::HkIndex == 0)
                return;
            --Common::HkIndex;
        } else if (KeyCode == vbKeyDown) {
            // "At or past the last entry": an empty or shorter list never lets the index run away.
            if (Common::HkIndex >= File1.list_count() - 1)
                return;
            ++Common::HkIndex;
        } else {
            return;
        }
        if (Common::HkIndex > std::numeric_limits<std::int16_t>::max())
            return;
        const std::string name = File1.list(static_cast<std::int16_t>(Common::HkIndex));
        ImgDesiMaku.set_picture(LoadPicture(folder + name));
    } catch (const std::exception&) {
        // A sign that cannot be shown is passed over silently; the index has moved.
    }
}

void Form1::Picture1_Click() { Picture1.SetFocus(); }
void Form1::ImgDesiMaku_Click() { Picture1.SetFocus(); }
void Form1::Image1_Click(std::int16_t) { Picture1.SetFocus(); }

void Form1::MnuEditHkPic_Click()
{
    if (window_exists<frmBrowseDir>()) {
        // Asked again from inside the open chooser's OK: the chooser opens again once it has closed.
        m_ask_folder_again = true;
        return;
    }
    m_folder_before_choice = Common::HkPath[0];
    std::string shown = Common::HkPath[0];
    do {
        frmBrowseDir& chooser = window<frmBrowseDir>();
        chooser.Text1.set_text(shown);
        chooser.Show(ShowMode::Modal);
        shown = m_rejected_folder; // asked again: the user corrects what was rejected
    } while (std::exchange(m_ask_folder_again, false));
}

void Form1::picDir()
{
    try {
        File1.set_path(Common::HkPath[0]);
    } catch (const RuntimeError& error) {
        // The folder goes back to what it was before the chooser's OK (none yet on a first run),
        // and that is what gets saved.
        m_rejected_folder = std::exchange(Common::HkPath[0], m_folder_before_choice);
        if (error.number() == err::PathNotFound) {
            MsgBox("指定したパスが見つかりません。再度指定しなおしてください。");
            MnuEditHkPic_Click();
        } else {
            MsgBox(error.what());
        }
    }
}
