#pragma once
// The main window: the bus model. Its controls hold most of the model's state; its public
// operations are what the settings panel and the folder chooser act through.
#include "logic/DoorGeometry.h"
#include "logic/SettingsRecord.h"
#include "platform/forms/Form.h"
#include "platform/forms/Menu.h"
#include "platform/forms/OpenFileDialog.h"
#include "platform/forms/controls/ControlArray.h"
#include "platform/forms/controls/FileListBox.h"
#include "platform/forms/controls/Image.h"
#include "platform/forms/controls/PictureBox.h"
#include "platform/forms/controls/Shape.h"

class Form1 : public platform::Form {
public:
    Form1();

    // Public operations, called by the settings panel and the folder chooser.
    void Check1_Click();
    void Check2_Click();
    void MnuEditHkPic_Click();
    void MnuHelpVer_Click();
    void HScroll1_Change();
    void HScroll2_Change();
    void picDir();
    void SaveIni();
    void LoadIni();
    // What SaveIni would write now.
    SettingsRecord settings_now();

    platform::PictureBox picSlideBase1 { *this, "picSlideBase1",
        { .rect { 6525, 915, 1140, 2115 }, .tab_index = 3, .back_color = platform::vbWindowBackground, .visible = false } };
    platform::Image Image2 { picSlideBase1, "Image2", { .rect { 105, -90, 1140, 2115 } } };
    platform::PictureBox PicKanban { *this, "PicKanban",
        { .rect { 7425, 1665, 1410, 450 }, .tab_index = 2, .back_color = platform::vbWhite, .auto_size = true } };
    platform::FileListBox File1 { *this, "File1",
        { .rect { 3585, 2895, 1395, 270 }, .pattern = "*.bmp;*.wmf;*.emf;*.gif;*.jpg;*.jpeg;*.png;*.webp;*.svg", .tab_index = 1 } };
    platform::PictureBox Picture1 { *this, "Picture1",
        { .rect { 3180, 555, 780, 480 }, .tab_index = 0, .back_color = platform::vbWhite } };
    platform::Image ImgDesiMaku { Picture1, "ImgDesiMaku", { .rect { 0, 0, 780, 480 } } };
    platform::OpenFileDialog C_Dialog1 { *this, "*.bmp;*.jpeg;*.gif;*.wmf;*.emf;*.png;*.webp;*.svg" };
    platform::ControlArray<platform::Image> imgNakaorido;
    platform::ControlArray<platform::Image> Image1;
    platform::ControlArray<platform::Shape> shpK_Waku;

    platform::Menu MnuTempMenu1 { *this, "MnuTempMenu1", "TempMenu1" };
    platform::Menu MnuViewKanban { MnuTempMenu1, "MnuViewKanban", "看板の表示", true };
    platform::Menu MnuViewWaku { MnuTempMenu1, "MnuViewWaku", "枠の表示", true };
    platform::Menu MnuSetKanban { MnuTempMenu1, "MnuSetKanban", "看板の画像を設定..." };
    platform::Menu MnuBdr1 { MnuTempMenu1, "MnuBdr1", "-" };
    platform::Menu MnuKanbanReset { MnuTempMenu1, "MnuKanbanReset", "看板のリセット" };

protected:
    void Form_Load() override;
    void Form_Unload(std::int16_t& Cancel) override;
    void Form_MouseDown(std::int16_t Button, std::int16_t Shift, float X, float Y) override;

private:
    void create_door_images();
    void create_frame_shapes();
    void connect_sign_handlers();
    void connect_signboard_handlers();
    doors::MiddleMode middle_mode();
    void middle_step(doors::MiddleMode mode, int w);

    // The sign's handlers.
    void Picture1_KeyDown(std::int16_t KeyCode, std::int16_t Shift);
    void Picture1_Click();
    void ImgDesiMaku_Click();
    void Image1_Click(std::int16_t Index);

    // The signboard's handlers.
    void PicKanban_MouseDown(std::int16_t Button, std::int16_t Shift, float X, float Y);
    void PicKanban_DblClick();
    void PicKanban_Resize();
    void MnuViewKanban_Click();
    void MnuViewWaku_Click();
    void MnuSetKanban_Click();
    void MnuKanbanReset_Click();

    // The folder chooser was asked for again while one was still open.
    bool m_ask_folder_again { false };
    std::string m_rejected_folder; // shown when the chooser asks again
    std::string m_folder_before_choice; // the sign folder when the chooser was opened
};
