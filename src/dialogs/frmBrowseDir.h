#pragma once
// The folder chooser: the sign folder as text, typed or browsed for, and OK / Cancel.
// Neither button answers Enter or Esc.
#include "platform/forms/Form.h"
#include "platform/forms/controls/CommandButton.h"
#include "platform/forms/controls/ControlArray.h"
#include "platform/forms/controls/Label.h"
#include "platform/forms/controls/TextBox.h"

class frmBrowseDir : public platform::Form {
public:
    frmBrowseDir();

    static constexpr const char* BrowseTitle = "方向幕のあるフォルダを選択してください";

    platform::Label Label2 { *this, "Label2", { .rect { 135, 60, 3945, 225 }, .caption = "方向幕のあるフォルダを指定してください" } };
    platform::Label Label1 { *this, "Label1", { .rect { 75, 465, 885, 210 }, .caption = "位置：" } };
    platform::TextBox Text1 { *this, "Text1", { .rect { 555, 405, 5070, 300 }, .tab_index = 0 } };
    platform::CommandButton Command1 { *this, "Command1",
        { .rect { 5655, 405, 1020, 345 }, .caption = "参照(&B)...", .tab_index = 2 } };
    platform::ControlArray<platform::CommandButton> Command2;

private:
    void Command1_Click();
    void Command2_Click(std::int16_t Index);
};
