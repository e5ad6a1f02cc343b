// The settings kept between runs: the places, speeds and mode a first run starts with.
#include "app/Form1.h"

#include "dialogs/frmSet.h"
#include "platform/Forms.h"

using namespace platform;

void Form1::LoadIni()
{
    set_left(0);
    set_top(0);
    frmSet& panel = window<frmSet>();
    panel.set_left(0);
    panel.set_top(height()); // directly below the main window's frame
    panel.HScroll1.set_value(10000);
    panel.HScroll2.set_value(6000);
    panel.Option1(0).set_value(true);
}

void Form1::SaveIni() { }
