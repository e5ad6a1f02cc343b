// The bus model: the main window opens, restores the settings and shows the panel.
#include "app/BusEndings.h"
#include "app/Form1.h"
#include "app/Identity.h"
#include "platform/forms/Application.h"
#include "platform/forms/Forms.h"

int main(int argc, char** argv)
{
    if (const auto problem = platform::display_problem()) {
        platform::print_start_problem(argc > 0 ? argv[0] : nullptr, *problem);
        return 1;
    }
    platform::Application application(argc, argv, BusIdentity);
    platform::handle_desktop_endings(bus_endings());
    platform::window<Form1>().Show();
    return application.run();
}
