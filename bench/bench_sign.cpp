// Time from an arrow key on the sign to the new sign painted, for a small bitmap and for a
// large photograph. Prints one row per kind of sign.
#include "BenchSupport.h"

#include "app/Common.h"
#include "app/Form1.h"
#include "platform/Application.h"
#include "platform/Forms.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QTemporaryDir>

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

bench::Spread key_to_paint(Form1& bus, int presses)
{
    std::vector<double> samples;
    for (int i = 0; i < presses; ++i) {
        QKeyEvent key(QEvent::KeyPress, i % 2 == 0 ? Qt::Key_Down : Qt::Key_Up, Qt::NoModifier);
        const auto start = bench::Clock::now();
        QApplication::sendEvent(&bus.Picture1.widget(), &key);
        bus.Picture1.widget().repaint(); // what the event loop paints next
        samples.push_back(bench::ms_since(start));
    }
    return bench::spread(samples);
}

}

int main(int argc, char** argv)
{
    platform::Application application(argc, argv);
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
                           { "4000 x 3000 JPEG", { 4000, 3000 }, "JPG", "jpg", 12 } };
    std::printf("platform: %s\n", qPrintable(QGuiApplication::platformName()));
    std::printf("%-18s %10s %10s %10s\n", "sign", "median ms", "p95 ms", "best ms");
    for (const Kind& kind : kinds) {
        QTemporaryDir folder;
        write_signs(folder.path(), kind.size, kind.format, kind.suffix);
        Common::HkPath[0] = folder.path().toStdString();
        Common::HkIndex = 0;
        bus.picDir();
        const bench::Spread time = key_to_paint(bus, kind.presses);
        std::printf("%-18s %10.3f %10.3f %10.3f\n", kind.name, time.median, time.p95, time.best);
    }
    platform::destroy_all_forms();
    return 0;
}
