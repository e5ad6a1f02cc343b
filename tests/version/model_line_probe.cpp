// Prints the version dialog's model and serial number line, for a test that runs this
// program under several file names.
#include "app/Identity.h"
#include "dialogs/frmShowVersion.h"
#include "platform/forms/Application.h"
#include "platform/forms/Forms.h"

#include <cstdio>

int main(int argc, char** argv)
{
    platform::Application application(argc, argv, BusIdentity);
    std::puts(platform::window<frmShowVersion>().Label1(1).caption().c_str());
}
