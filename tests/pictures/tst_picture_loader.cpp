// The picture loader as the sign uses it: which files give a picture and which fail at
// once (missing, FIFO, device, folder, damaged), big pictures decoded only where shown,
// and file names that are not UTF-8.
#include "Outcome.h"

#include "platform/LoadPicture.h"
#include "platform/Picture.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <functional>
#include <map>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace platform;

namespace {

int warnings = 0;
void count_warnings(QtMsgType type, const QMessageLogContext&, const QString&)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        ++warnings;
}

std::string path_of(const QTemporaryDir& dir, const QByteArray& name)
{
    return QFile::encodeName(dir.path()).toStdString() + "/" + name.toStdString();
}

// Written through the name's bytes, whatever they are.
bool write_file(const std::string& path, const QByteArray& bytes)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0)
        return false;
    const bool written = ::write(fd, bytes.constData(), std::size_t(bytes.size())) == bytes.size();
    return ::close(fd) == 0 && written;
}

// Made with ImageMagick: Qt writes no GIF.
QByteArray gif_quarters()
{
    QFile file(PICTURE_DATA "/quarters.gif");
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, 90);
    return bytes;
}

// Four quarters of different colours, so that any part shows where it was taken from.
QImage quarters(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    const int w = size.width() / 2, h = size.height() / 2;
    painter.fillRect(0, 0, w, h, Qt::red);
    painter.fillRect(w, 0, size.width() - w, h, Qt::blue);
    painter.fillRect(0, h, w, size.height() - h, Qt::green);
    painter.fillRect(w, h, size.width() - w, size.height() - h, Qt::yellow);
    return image;
}

// A bitmap header promising 5000 x 5000 pixels of 24 bits, followed by 1 KB.
QByteArray bmp_promising_too_much()
{
    QByteArray bytes = encoded(QImage(4, 4, QImage::Format_RGB32), "BMP").left(54);
    qToLittleEndian<qint32>(5000, bytes.data() + 18);
    qToLittleEndian<qint32>(5000, bytes.data() + 22);
    return bytes + QByteArray(1024, '\x40');
}

}

class PictureLoaderTest : public QObject {
    Q_OBJECT

private slots:
    void init() { warnings = 0; }

    void what_is_not_a_picture_fails_at_once_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<std::string>("outcome");
        QTest::newRow("missing") << "missing" << std::string("error 53");
        QTest::newRow("fifo with no writer") << "fifo" << std::string("error 481");
        QTest::newRow("link to a fifo") << "fifo link" << std::string("error 481");
        QTest::newRow("folder") << "folder" << std::string("error 481");
        QTest::newRow("device /dev/zero") << "/dev/zero" << std::string("error 481");
        QTest::newRow("device /dev/null") << "/dev/null" << std::string("error 481");
        QTest::newRow("link to a device") << "device link" << std::string("error 481");
        QTest::newRow("empty file") << "empty" << std::string("error 481");
        QTest::newRow("text file") << "text" << std::string("error 481");
        QTest::newRow("truncated jpeg") << "truncated jpeg" << std::string("error 481");
        QTest::newRow("truncated gif") << "truncated gif" << std::string("error 481");
        QTest::newRow("bmp promising 5000 x 5000 over 1 KB") << "big bmp" << std::string("error 481");
        QTest::newRow("whole jpeg") << "jpeg" << std::string("60 x 40");
        QTest::newRow("whole gif") << "gif" << std::string("60 x 40");
        QTest::newRow("link to a picture") << "picture link" << std::string("60 x 40");
    }
    void what_is_not_a_picture_fails_at_once()
    {
        QFETCH(QString, kind);
        QFETCH(std::string, outcome);
        QTemporaryDir dir;
        const std::string file = path_of(dir, "sign.jpg");
        const QImage image = quarters({ 60, 40 });
        const QByteArray jpeg = encoded(image, "JPG"), gif = gif_quarters();
        if (kind == "fifo" || kind == "fifo link")
            QCOMPARE(::mkfifo(path_of(dir, "fifo").c_str(), 0600), 0);
        const std::map<QString, std::function<void()>> make {
            { "fifo", [&] { QVERIFY(::rename(path_of(dir, "fifo").c_str(), file.c_str()) == 0); } },
            { "fifo link", [&] { QVERIFY(::symlink(path_of(dir, "fifo").c_str(), file.c_str()) == 0); } },
            { "folder", [&] { QVERIFY(QDir().mkdir(QFile::decodeName(file.c_str()))); } },
            { "device link", [&] { QVERIFY(::symlink("/dev/zero", file.c_str()) == 0); } },
            { "empty", [&] { QVERIFY(write_file(file, {})); } },
            { "text", [&] { QVERIFY(write_file(file, "not a picture at all\n")); } },
            { "truncated jpeg", [&] { QVERIFY(write_file(file, jpeg.left(jpeg.size() * 2 / 3))); } },
            { "truncated gif", [&] { QVERIFY(write_file(file, gif.left(gif.size() * 2 / 3))); } },
            { "big bmp", [&] { QVERIFY(write_file(file, bmp_promising_too_much())); } },
            { "jpeg", [&] { QVERIFY(write_file(file, jpeg)); } },
            { "gif", [&] { QVERIFY(write_file(file, gif)); } },
            { "picture link", [&] {
                 QVERIFY(write_file(path_of(dir, "real.gif"), gif));
                 QVERIFY(::symlink(path_of(dir, "real.gif").c_str(), file.c_str()) == 0);
             } },
        };
        if (const auto found = make.find(kind); found != make.end())
            found->second();
        const std::string path = kind.startsWith('/') ? kind.toStdString() : file;
        qInstallMessageHandler(count_warnings);
        QElapsedTimer timer;
        timer.start();
        const std::string result = ::outcome([&] {
            const Picture picture = LoadPicture(path);
            return std::to_string(picture.width_px()) + " x " + std::to_string(picture.height_px());
        });
        qInstallMessageHandler(nullptr);
        QCOMPARE(result, outcome);
        QVERIFY2(timer.elapsed() < 2000, "the loader waited");
        QCOMPARE(warnings, 0); // damaged pictures fail silently
    }

    void the_empty_path_is_no_picture() { QVERIFY(LoadPicture("").empty()); }

    void metafiles_load_from_files()
    {
        const Picture picture = LoadPicture(PICTURE_DATA "/sign-inkscape.wmf");
        QCOMPARE(picture.width_px(), 52);
        QCOMPARE(picture.height_px(), 32);
    }

    void names_that_are_not_utf8_are_kept_as_bytes()
    {
        QTemporaryDir dir;
        const std::string file = path_of(dir, QByteArray("\xff\xfe sign \x93\x8c.gif"));
        QVERIFY(write_file(file, gif_quarters()));
        const std::string width = outcome([&] { return std::to_string(LoadPicture(file).width_px()); });
        ::unlink(file.c_str()); // a name Qt cannot give back to the system
        QCOMPARE(width, "60");
    }

    void big_pictures_are_decoded_where_they_are_shown_data()
    {
        QTest::addColumn<QByteArray>("format");
        QTest::newRow("jpeg") << QByteArray("JPG");
        QTest::newRow("bmp") << QByteArray("BMP");
    }
    // A picture of 2400 x 1600 drawn at several places on a 52 x 32 surface shows the part
    // of the picture that falls on it, while its size stays the whole picture's.
    void big_pictures_are_decoded_where_they_are_shown()
    {
        QFETCH(QByteArray, format);
        QTemporaryDir dir;
        const std::string file = path_of(dir, "big");
        QVERIFY(write_file(file, encoded(quarters({ 2400, 1600 }), format)));
        const Picture picture = LoadPicture(file);
        QCOMPARE(picture.width_px(), 2400);
        QCOMPARE(picture.height_px(), 1600);
        struct Place { QPoint at; QColor top_left; QColor bottom_right; };
        const Place places[] = { { { 0, 0 }, Qt::red, Qt::red },
                                 { { -1190, -780 }, Qt::red, Qt::yellow },
                                 { { -2390, 0 }, Qt::blue, Qt::white },    // past the right edge: the ground
                                 { { 10, -1590 }, Qt::white, Qt::white } }; // one row of green at the top only
        for (const Place& place : places) {
            QImage surface(52, 32, QImage::Format_RGB32);
            surface.fill(Qt::white);
            QPainter painter(&surface);
            picture.draw(painter, place.at);
            painter.end();
            auto close = [](QColor a, QColor b) {
                return std::abs(a.red() - b.red()) < 40 && std::abs(a.green() - b.green()) < 40
                    && std::abs(a.blue() - b.blue()) < 40;
            };
            QVERIFY2(close(surface.pixelColor(0, 0), place.top_left) || place.at.y() == -1590,
                     qPrintable(surface.pixelColor(0, 0).name()));
            QVERIFY2(close(surface.pixelColor(51, 31), place.bottom_right), qPrintable(surface.pixelColor(51, 31).name()));
        }
    }
};

QTEST_MAIN(PictureLoaderTest)
#include "tst_picture_loader.moc"
