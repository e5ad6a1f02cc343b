// The signboard and its frame: its menu, its picture, its dragging and the frame's refit.
#include "app/Form1.h"

// Being built: the handlers exist so that the settings can be written against them.
void Form1::PicKanban_DblClick() { }
void Form1::PicKanban_Resize() { }
void Form1::MnuViewKanban_Click() { }
void Form1::MnuViewWaku_Click() { }
void Form1::MnuSetKanban_Click() { }
void Form1::MnuKanbanReset_Click() { }
