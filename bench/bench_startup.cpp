// From the first use of the bus window to both windows on the screen, started in an empty
// working folder and in one of 40,000 files: the working folder's list is read only when the
// sign first needs it, so a crowded folder must not slow the start.
#include "BenchSupport.h"

#include "app/Form1.h"
#include "app/Identity.h"
#include "dialogs/frmSet.h"
#include "platform/forms/Application.h"
#include "platform/forms/Forms.h"

#include <QApplication>
#include <QWidget>
#include <QWindow>
#include <filesystem>

namespace {

constexpr int Starts = 7;

bool exposed(QWidget& widget) { return widget.windowHandle() && widget.windowHandle()->isExposed(); }

// One start: the windows made, shown and on the screen, then closed again.
double start_ms()
{
    const auto start = bench::Clock::now();
    Form1& bus = platform::window<Form1>();
    bus.Show();
    frmSet& panel = platform::window<frmSet>();
    while (!exposed(bus.surface()) || !exposed(panel.surface()))
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    QApplication::processEvents(); // painted
    const double ms = bench::ms_since(start);
    platform::destroy_all_forms();
    QApplication::processEvents();
    return ms;
}

}

int main(int argc, char** argv)
{
    platform::Application application(argc, argv, BusIdentity);
    const std::filesystem::path home = std::filesystem::current_path();
    std::printf("platform: %s\n", qPrintable(QGuiApplication::platformName()));
    std::printf("%-24s %10s %10s\n", "working folder", "best ms", "median ms");
    start_ms(); // fonts and pictures loaded once
    for (const int files : { 0, 40000 }) {
        const bench::ScratchFolder folder(files);
        std::filesystem::current_path(folder.path());
        std::vector<double> samples;
        for (int i = 0; i < Starts; ++i)
            samples.push_back(start_ms());
        std::filesystem::current_path(home);
        const bench::Spread time = bench::spread(samples);
        std::printf("%-24s %10.1f %10.1f\n", (std::to_string(files) + " files").c_str(), time.best, time.median);
    }
    return 0;
}
