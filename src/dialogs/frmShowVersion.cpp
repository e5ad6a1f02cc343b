#include "dialogs/frmShowVersion.h"

using namespace platform;

frmShowVersion::frmShowVersion()
    : Form("frmShowVersion", "ポルカ号のバージョン情報", BorderStyle::FixedDialog, 4995, 3345, vbWhite)
{
    finish_design();
}
