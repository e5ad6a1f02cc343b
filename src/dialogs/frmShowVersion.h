#pragma once
// The version dialog: the program's name and version, the model and serial number (the
// executable's name), the maker's credits, and the link line that opens the maker's page,
// whose address the maker's library gives at each click. OK answers Esc.
#include "platform/forms/Form.h"
#include "platform/forms/controls/CommandButton.h"
#include "platform/forms/controls/ControlArray.h"
#include "platform/forms/controls/Image.h"
#include "platform/forms/controls/Label.h"

class frmShowVersion : public platform::Form {
public:
    frmShowVersion();

    static constexpr platform::OLE_COLOR Grey = platform::RGB(78, 78, 78);
    static constexpr platform::OLE_COLOR Yellow = platform::RGB(255, 255, 0);
    static constexpr platform::OLE_COLOR LinkBlue = platform::RGB(0, 0, 255);
    static constexpr const char* MakerLibrary = "libKQZ5Res.so";
    static constexpr const char* MakerFunction = "ZubaradoHpURL";

    platform::Image Image1 { *this, "Image1", { .rect { 285, 165, 480, 480 } } };
    platform::ControlArray<platform::Label> Label1;
    platform::Label Label2 { *this, "Label2",
        { .rect { 165, 1035, 3225, 225 }, .caption = "Varsion　1.0.0", .back_color = Grey, .fore_color = Yellow } };
    platform::ControlArray<platform::Label> Label3;
    platform::Label Label4 { *this, "Label4", { .rect { 15, 2835, 4965, 60 } } };
    platform::Label Label5 { *this, "Label5",
        { .rect { 240, 2985, 3315, 225 }, .caption = "ここをクリックするとずばら堂HPが開きます。", .fore_color = LinkBlue,
          .font { .size = 9.0f, .underline = true }, .mouse_icon = "hand.cur" } };
    platform::CommandButton Command1 { *this, "Command1",
        { .rect { 3570, 2940, 1230, 345 }, .caption = "OK", .tab_index = 3, .cancel = true } };

protected:
    void Form_Load() override;

private:
    void create_labels();

    void Command1_Click();
    void Label5_Click();
};
