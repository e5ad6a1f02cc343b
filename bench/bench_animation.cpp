// What an animated sign costs: the processor's share while a 200 x 60 GIF of 10 frames a
// second plays on the sign, and how often the program wakes while the sign is still (it
// should sleep). Process CPU time over wall time, and the main thread's wake-ups.
#include "app/Common.h"
#include "app/Form1.h"
#include "app/Identity.h"
#include "platform/forms/Application.h"
#include "platform/forms/Forms.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>

namespace {

constexpr int Seconds = 5;

// 0.png where the sign starts, the animation, then a still picture; made by ImageMagick.
bool write_signs(const QString& folder)
{
    const std::string at = folder.toStdString() + "/";
    const std::string frames = "gradient:red-blue gradient:blue-green gradient:green-yellow gradient:yellow-white "
                               "gradient:white-black gradient:black-cyan gradient:cyan-magenta "
                               "gradient:magenta-orange gradient:orange-navy gradient:navy-red";
    const std::string command = "convert -size 8x8 xc:black " + at + "0.png && convert -size 200x60 -delay 10 " + frames
        + " -loop 0 " + at + "1.gif && convert -size 200x60 xc:orange " + at + "2.png";
    return std::system(command.c_str()) == 0;
}

double cpu_seconds()
{
    timespec now {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

long main_thread_wakeups()
{
    std::ifstream status("/proc/thread-self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("voluntary_ctxt_switches:"))
            return std::stol(line.substr(24));
    }
    return 0;
}

void press_down(Form1& bus)
{
    QKeyEvent key(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(&bus.Picture1.widget(), &key);
}

// The event loop left to itself for a while: the CPU share in % and the wake-ups a second.
void measure(const char* what)
{
    QEventLoop loop;
    QTimer::singleShot(Seconds * 1000, &loop, &QEventLoop::quit);
    const double cpu = cpu_seconds();
    const long wakeups = main_thread_wakeups();
    loop.exec();
    std::printf("%-36s %10.3f %14.1f\n", what, (cpu_seconds() - cpu) * 100.0 / Seconds,
                double(main_thread_wakeups() - wakeups - 1) / Seconds); // less the wake-up that ends it
}

}

int main(int argc, char** argv)
{
    platform::Application application(argc, argv, BusIdentity);
    QTemporaryDir folder;
    if (!write_signs(folder.path())) {
        std::fprintf(stderr, "bench_animation: ImageMagick's convert is needed\n");
        return 1;
    }
    Form1& bus = platform::window<Form1>();
    bus.Show();
    Common::HkPath[0] = folder.path().toStdString();
    Common::HkIndex = 0;
    bus.picDir();
    std::printf("platform: %s, %d s each\n", qPrintable(QGuiApplication::platformName()), Seconds);
    std::printf("%-36s %10s %14s\n", "sign", "CPU %", "wake-ups/s");
    press_down(bus);
    measure("200 x 60 GIF, 10 frames a second");
    press_down(bus);
    measure("still 200 x 60 PNG");
    platform::destroy_all_forms();
    return 0;
}
