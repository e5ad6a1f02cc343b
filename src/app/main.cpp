// The bus model: the main window opens, restores the settings and shows the panel.
#include "app/BusEndings.h"
#include "app/Form1.h"
#include "app/Identity.h"
#include "platform/forms/Application.h"
#include "platform/forms/Forms.h"

#include <cstdio>
#include <filesystem>

int main(int argc, char** argv)
{
    if (const auto problem = platform::display_problem()) {
        const std::string name = argc > 0 ? std::filesystem::path(argv[0]).filename().string() : "QK31T0207";
        std::fprintf(stderr, "%s: %s\n", name.c_str(), problem->c_str());
        return 1;
    }
    platform::Application application(argc, argv, BusIdentity);
    platform::handle_desktop_endings(bus_endings());
    platform::window<Form1>().Show();
    return application.run();
}
