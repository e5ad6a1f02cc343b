// The bus model: the main window opens, restores the settings and shows the panel.
#include "app/Form1.h"
#include "platform/Application.h"
#include "platform/Forms.h"

int main(int argc, char** argv)
{
    platform::Application application(argc, argv);
    platform::window<Form1>().Show();
    return application.run();
}
