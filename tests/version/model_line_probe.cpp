// Prints the version dialog's model and serial number line, for a test that runs this
// program under several file names.
#include "dialogs/frmShowVersion.h"
#include "platform/Application.h"
#include "platform/Forms.h"

#include <cstdio>

int main(int argc, char** argv)
{
    platform::Application application(argc, argv);
    std::puts(platform::window<frmShowVersion>().Label1(1).caption().c_str());
}
