// Time from an arrow key on the sign to the new sign painted, and the memory it takes, for a
// small bitmap, a large photograph, a large bitmap and metafiles. Prints one row per kind of sign.
#include "BenchSupport.h"

#include "app/Common.h"
#include "app/Form1.h"
#include "app/Identity.h"
#include "platform/forms/Application.h"
#include "platform/forms/Forms.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QTemporaryDir>
#include <QWidget>

#include <fstream>
#include <malloc.h>
#include <string>

namespace {

// Two different pictures of one kind, so that each key loads a new one.
void write_signs(const QString& folder, QSize size, const char* format, const char* suffix)
{
    for (int i = 0; i < 2; ++i) {
        QImage image(size, QImage::Format_RGB32);
        QPainter painter(&image);
        QLinearGradient ground(0, 0, size.width(), size.height());
        ground.setColorAt(0, QColor::fromHsv(i * 120, 200, 230));
        ground.setColorAt(1, QColor::fromHsv(i * 120 + 60, 180, 90));
        painter.fillRect(image.rect(), ground);
        painter.end();
        image.save(QString("%1/sign_%2.%3").arg(folder).arg(i).arg(suffix), format, 90);
    }
}

// The enhanced and the placeable metafile of one sign, as real writers made them.
void copy_metafile_signs(const QString& folder)
{
    for (const char* name : { "sign-inkscape.emf", "sign-inkscape.wmf" })
        QFile::copy(QStringLiteral(METAFILE_SIGNS "/") + name, folder + "/" + name);
}

// A figure of /proc/self/status, in MB.
double status_mb(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with(field + ":"))
            return std::stod(line.substr(field.size() + 1)) / 1024.0;
    }
    return 0;
}

// Starts a new peak from the memory in use now.
void reset_peak()
{
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
}

// Down, Up, Down, ... each loading the other picture; the time of each press.
std::vector<double> key_to_paint(Form1& bus, int presses)
{
    std::vector<double> samples;
    for (int i = 0; i < presses; ++i) {
        QKeyEvent key(QEvent::KeyPress, i % 2 == 0 ? Qt::Key_Down : Qt::Key_Up, Qt::NoModifier);
        const auto start = bench::Clock::now();
        QApplication::sendEvent(&bus.Picture1.widget(), &key);
        bus.Picture1.widget().repaint(); // what the event loop paints next
        samples.push_back(bench::ms_since(start));
    }
    return samples;
}

}

int main(int argc, char** argv)
{
    platform::Application application(argc, argv, BusIdentity);
    Form1& bus = platform::window<Form1>();
    bus.Show();
    QApplication::processEvents();
    struct Kind {
        const char* name;
        QSize size;
        const char* format;
        const char* suffix;
        int presses;
    };
    const Kind kinds[] = { { "52 x 32 BMP", { 52, 32 }, "BMP", "bmp", 400 },
                           { "4000 x 3000 JPEG", { 4000, 3000 }, "JPG", "jpg", 40 },
                           { "4000 x 3000 BMP", { 4000, 3000 }, "BMP", "bmp", 12 },
                           { "EMF and WMF", {}, nullptr, nullptr, 400 } };
    std::printf("platform: %s\n", qPrintable(QGuiApplication::platformName()));
    std::printf("%-18s %10s %10s %10s %14s %14s\n", "sign", "median ms", "p95 ms", "best ms", "first ms",
                "peak +MB");
    for (const Kind& kind : kinds) {
        QTemporaryDir folder;
        if (kind.format)
            write_signs(folder.path(), kind.size, kind.format, kind.suffix);
        else
            copy_metafile_signs(folder.path());
        Common::HkPath[0] = folder.path().toStdString();
        Common::HkIndex = 0;
        bus.picDir();
        reset_peak();
        const double before = status_mb("VmRSS");
        std::vector<double> samples = key_to_paint(bus, kind.presses + 1);
        const double first = samples.front();
        samples.erase(samples.begin());
        const bench::Spread time = bench::spread(samples);
        std::printf("%-18s %10.3f %10.3f %10.3f %14.3f %14.1f\n", kind.name, time.median, time.p95, time.best, first,
                    status_mb("VmHWM") - before);
    }
    platform::destroy_all_forms();
    return 0;
}
