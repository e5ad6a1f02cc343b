// The picture loader as the sign uses it: which files give a picture and which fail at
// once (missing, FIFO, device, folder, damaged, too costly to decode), big pictures decoded
// only where shown, bitmaps in either row order, drawings, animations, and file names that
// are not UTF-8.
#include "FileBytes.h"
#include "Outcome.h"

#include "platform/codec/Animation.h"
#include "platform/picture/DecodePicture.h"
#include "platform/picture/LoadPicture.h"
#include "platform/picture/Picture.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <functional>
#include <map>

#include <climits>
#include <cstdio>

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

QByteArray data_file(const char* name) { return file_bytes(QStringLiteral(PICTURE_DATA "/") + name); }
QByteArray seed(const char* name) { return file_bytes(QStringLiteral(PICTURE_SEEDS "/") + name); }

QByteArray encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, format).write(image);
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

QByteArray with_height(QByteArray bmp, qint32 height)
{
    qToLittleEndian<qint32>(height, bmp.data() + 22);
    return bmp;
}

// The header of a bitmap of 24 bits a pixel.
QByteArray bmp_header(qint32 width, qint32 height)
{
    QByteArray bytes = encoded(QImage(4, 4, QImage::Format_RGB32), "BMP").left(54);
    qToLittleEndian<qint32>(width, bytes.data() + 18);
    return with_height(bytes, height);
}

// The same bitmap with its rows stored top to bottom (a negative height), as many writers do.
QByteArray top_down(const QByteArray& bmp)
{
    const qint64 offset = qFromLittleEndian<quint32>(bmp.constData() + 10);
    const qint32 width = qFromLittleEndian<qint32>(bmp.constData() + 18), height = qFromLittleEndian<qint32>(bmp.constData() + 22);
    const qint64 stride = (qint64(width) * qFromLittleEndian<quint16>(bmp.constData() + 28) + 31) / 32 * 4;
    QByteArray flipped = bmp;
    for (qint32 y = 0; y < height; ++y)
        flipped.replace(offset + y * stride, stride, bmp.mid(offset + (height - 1 - y) * stride, stride));
    return with_height(flipped, -height);
}

// A part of a picture drawn on a white surface of the part's size.
QImage drawn(const Picture& picture, const QRect& part)
{
    QImage surface(part.size(), QImage::Format_RGB32);
    surface.fill(Qt::white);
    QPainter painter(&surface);
    picture.draw(painter, -part.topLeft());
    return surface;
}

// A pixel of a photograph of the quarters as its red, green and blue halves: "100" is red,
// "111" the white ground.
QString halves(QColor pixel) { return QString("%1%2%3").arg(pixel.red() / 128).arg(pixel.green() / 128).arg(pixel.blue() / 128); }

QByteArray svg(const QByteArray& size, const QByteArray& body = "<rect width='4' height='2' fill='red'/>")
{
    return "<svg xmlns='http://www.w3.org/2000/svg' " + size + ">" + body + "</svg>";
}

// A GIF of that many 1 x 1 frames, 10 ms each, played for ever.
QByteArray gif_of_frames(int frames)
{
    const QByteArray header = QByteArray::fromHex("474946383961" "01000100" "800000" "000000ffffff");
    const QByteArray for_ever = QByteArray::fromHex("21ff0b" "4e45545343415045322e30" "0301000000");
    const QByteArray frame = QByteArray::fromHex("21f90400010000" "00" "2c000000000100010000" "0202440100");
    return header + for_ever + frame.repeated(frames) + QByteArray::fromHex("3b");
}

// The APNG of two 6 x 4 frames with its second frame moved one pixel right, out of the canvas.
QByteArray apng_frame_outside_canvas()
{
    QByteArray apng = seed("anim-2-frames.png");
    const qsizetype second = apng.indexOf("fcTL", apng.indexOf("fcTL") + 4);
    qToBigEndian<quint32>(1, apng.data() + second + 16);
    return apng;
}

// An animation's plays and the delays of the frames one play gives, in order; "wrong size"
// for a frame that is not of the animation's size.
std::string animation_text(const std::optional<Picture>& picture)
{
    if (!picture)
        return "none";
    const auto animation = picture->animation();
    if (!animation)
        return "still " + picture->size_text();
    std::string text = std::to_string(animation->plays()) + " plays:";
    const std::unique_ptr<FrameReader> frames = animation->frames();
    while (const std::optional<AnimationFrame> frame = frames->next())
        text += frame->image.size() == animation->size() ? " " + std::to_string(frame->delay_ms) : " wrong size";
    return text;
}

}

class PictureLoaderTest : public QObject {
    Q_OBJECT

private slots:
    void init() { warnings = 0; }

    void files_give_a_picture_or_fail_at_once_data()
    {
        QTest::addColumn<QString>("kind"); // how the file is made; "bytes" writes them
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<std::string>("outcome");
        const QImage image = quarters({ 60, 40 });
        const QByteArray jpeg = encoded(image, "JPG"), gif = data_file("quarters.gif");
        const std::string refused = "error 481";
        QTest::newRow("missing") << "missing" << QByteArray() << std::string("error 53");
        QTest::newRow("fifo with no writer") << "fifo" << QByteArray() << refused;
        QTest::newRow("folder") << "folder" << QByteArray() << refused;
        QTest::newRow("device /dev/zero") << "/dev/zero" << QByteArray() << refused;
        QTest::newRow("text file") << "bytes" << QByteArray("not a picture at all\n") << refused;
        QTest::newRow("truncated jpeg") << "bytes" << jpeg.left(jpeg.size() * 2 / 3) << refused;
        // A few hundred bytes promising gigabytes of decoding.
        for (const char* bomb : { "progressive-bomb.jpg", "multiscan-bomb.jpg", "canvas-bomb.gif", "rle-bomb.bmp" })
            QTest::newRow(bomb) << "bytes" << data_file(bomb) << refused;
        QTest::newRow("bmp of height INT32_MIN") << "bytes" << with_height(encoded(image, "BMP"), INT_MIN) << refused;
        // Refused unread: more than a picture may cost (256 MB), whether decoded whole or read in parts.
        QTest::newRow("bmp followed by 300 MB of nothing") << "300 MB" << encoded(image, "BMP") << refused;
        QTest::newRow("bmp of 10000 x 9000 in 300 MB") << "300 MB" << bmp_header(10000, 9000) << refused;
        QTest::newRow("big bmp missing its last row") << "a row short" << bmp_header(1200, 1000) << refused;
        QTest::newRow("whole jpeg") << "bytes" << jpeg << std::string("60 x 40");
        QTest::newRow("link to a gif") << "link" << gif << std::string("60 x 40");
        QTest::newRow("placeable wmf") << "bytes" << data_file("sign-inkscape.wmf") << std::string("52 x 32");
    }
    // Every file here has a name that is not UTF-8, and is used by its bytes.
    void files_give_a_picture_or_fail_at_once()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, bytes);
        QFETCH(std::string, outcome);
        QTemporaryDir dir;
        const std::string file = path_of(dir, "\xff\xfe sign \x93\x8c.jpg"), target = path_of(dir, "target");
        const std::map<QString, std::function<bool()>> make {
            { "bytes", [&] { return write_file(file, bytes); } },
            { "link", [&] { return write_file(target, bytes) && ::symlink(target.c_str(), file.c_str()) == 0; } },
            { "fifo", [&] { return ::mkfifo(file.c_str(), 0600) == 0; } },
            { "folder", [&] { return ::mkdir(file.c_str(), 0700) == 0; } },
            // sparse: costs no disk
            { "300 MB", [&] { return write_file(file, bytes) && ::truncate(file.c_str(), 300 << 20) == 0; } },
            { "a row short", [&] { return write_file(file, bytes) && ::truncate(file.c_str(), 54 + 3600 * 999) == 0; } },
        };
        if (const auto found = make.find(kind); found != make.end())
            QVERIFY(found->second());
        const std::string path = kind.startsWith('/') ? kind.toStdString() : file;
        qInstallMessageHandler(count_warnings);
        QElapsedTimer timer;
        timer.start();
        const std::string result = ::outcome([&] {
            const Picture picture = LoadPicture(path);
            return std::to_string(picture.width_px()) + " x " + std::to_string(picture.height_px());
        });
        qInstallMessageHandler(nullptr);
        std::remove(file.c_str()); // a name Qt cannot give back to the system
        QCOMPARE(result, outcome);
        QVERIFY2(timer.elapsed() < 2000, "the loader waited");
        QCOMPARE(warnings, 0); // damaged pictures fail silently
    }

    void the_empty_path_is_no_picture() { QVERIFY(LoadPicture("").empty()); }

    void top_down_bitmaps_show_as_bottom_up_ones_data()
    {
        QTest::addColumn<QByteArray>("bottom_up");
        for (const char* bits : { "1", "4", "8", "24", "32", "32-bitfields" })
            QTest::newRow(bits) << data_file(qPrintable(QString("gradient-%1.bmp").arg(bits)));
        QTest::newRow("24, big, shown in parts") << encoded(quarters({ 1200, 1000 }), "BMP");
    }
    // Pixel for pixel, and as another reader decodes the bottom-up file; the big one in parts.
    void top_down_bitmaps_show_as_bottom_up_ones()
    {
        QFETCH(QByteArray, bottom_up);
        const QImage original = QImage::fromData(bottom_up, "BMP").convertToFormat(QImage::Format_RGB32);
        const QRect part(QPoint(0, 0), original.size().boundedTo(QSize(64, 48)));
        const std::optional<Picture> up = decode_picture(bottom_up), down = decode_picture(top_down(bottom_up));
        QVERIFY(up && down);
        QCOMPARE(drawn(*up, part), original.copy(part));
        QCOMPARE(drawn(*down, part), original.copy(part));
    }

    // A picture of 2400 x 1600 shows, wherever it is drawn, the part of it that falls on the
    // surface, while its size stays the whole picture's.
    void big_pictures_are_decoded_where_they_are_shown_data()
    {
        QTest::addColumn<QByteArray>("format");
        QTest::newRow("jpeg") << QByteArray("JPG");
        QTest::newRow("bmp") << QByteArray("BMP");
    }
    void big_pictures_are_decoded_where_they_are_shown()
    {
        QFETCH(QByteArray, format);
        QTemporaryDir dir;
        const std::string file = path_of(dir, "big");
        QVERIFY(write_file(file, encoded(quarters({ 2400, 1600 }), format)));
        const Picture picture = LoadPicture(file);
        QCOMPARE(picture.size_text(), "2400x1600");
        // The corners of a 52 x 32 surface: the last two reach past the picture's right and
        // bottom edges, onto the white ground.
        QString corners;
        for (const QPoint at : { QPoint(0, 0), QPoint(1190, 780), QPoint(2390, 0), QPoint(-10, 1590) }) {
            const QImage surface = drawn(picture, QRect(at, QSize(52, 32)));
            corners += " " + halves(surface.pixelColor(0, 0)) + "/" + halves(surface.pixelColor(51, 31));
        }
        QCOMPARE(corners, " 100/100 100/110 001/111 111/111"); // red, yellow, blue, white
        // A big bitmap is read from its file where it is drawn: cut short meanwhile, it draws
        // nothing new, quietly; a photograph keeps its bytes.
        QVERIFY(::truncate(file.c_str(), 4096) == 0);
        QCOMPARE(drawn(picture, QRect(600, 400, 52, 32)).pixelColor(0, 0) == QColor(Qt::white), format == "BMP");
    }

    void todays_formats_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("picture"); // "none", "still <size>" or "<plays> plays: <delays>"
        QTest::newRow("PNG") << encoded(quarters({ 30, 20 }), "PNG") << "still 30x20";
        QTest::newRow("WebP") << encoded(quarters({ 30, 20 }), "WEBP") << "still 30x20";
        QTest::newRow("SVG in inches and points, at 96 dpi") << svg("width='0.5in' height='18pt'") << "still 48x24";
        QTest::newRow("SVG in millimetres") << svg("width='25.4mm' height='10mm'") << "still 96x38";
        QTest::newRow("SVG by its viewBox") << svg("viewBox='0 0 60 30'") << "still 60x30";
        QTest::newRow("SVG 8192 wide") << svg("width='8192' height='1'") << "still 8192x1";
        QTest::newRow("SVG over 8192") << svg("width='8193' height='1'") << "none";
        QTest::newRow("SVG of no size") << svg("") << "none";
        QTest::newRow("SVG not well formed") << QByteArray("<svg xmlns='http://www.w3.org/2000/svg' width='4'>") << "none";
        QTest::newRow("SVG with an entity") << "<!DOCTYPE svg [<!ENTITY w '4'>]>" + svg("width='&w;' height='4'") << "none";
        QTest::newRow("SVG with an image of another file") << seed("external-image.svg") << "none";
        QTest::newRow("SVG with a style of another file")
            << svg("width='4' height='4'", "<rect width='4' height='4' fill='url(/tmp/x.svg#p)'/>") << "none";
        QTest::newRow("SVG with an image inside itself")
            << svg("width='4' height='4'", "<image href='data:image/png;base64,iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mP8z8BQDwAEhQGAhKmMIQAAAABJRU5ErkJggg==' width='4' height='4'/>") << "still 4x4";
        QTest::newRow("SVG repeating repeats") << seed("use-bomb.svg") << "none";
        // Big, so decoded only where shown; its first row, which the loader tries, is there.
        QTest::newRow("top-down BMP missing its last row")
            << top_down(encoded(quarters({ 1200, 1000 }), "BMP")).chopped(3600) << "none";
        QTest::newRow("SVG of 100,000 elements") << svg("width='4' height='4'", QByteArray("<g/>").repeated(100'000)) << "none";
        QTest::newRow("GIF for ever") << seed("anim-3-frames.gif") << "0 plays: 500 500 500";
        QTest::newRow("GIF twice more, 10 ms given as 100 by Qt") << seed("anim-loop-3.gif") << "3 plays: 100 100";
        QTest::newRow("APNG") << seed("anim-2-frames.png") << "0 plays: 250 250";
        QTest::newRow("APNG twice") << seed("anim-plays-2.png") << "2 plays: 1 1";
        QTest::newRow("animated WebP") << seed("anim-3-frames.webp") << "0 plays: 300 100 5";
        QTest::newRow("APNG cut") << seed("anim-2-frames.png").left(200) << "none";
        QTest::newRow("APNG frame outside its canvas") << apng_frame_outside_canvas() << "0 plays: 250";
        QTest::newRow("GIF of 10,001 frames") << gif_of_frames(10'001) << "0 plays:" + QString(" 100").repeated(10'000);
    }
    // Drawings at their size at 96 dpi; a drawing that reaches outside itself or costs too
    // much is no picture, at once and silently. Animations' frames are decoded one by one with
    // the file's delays and plays; a damaged frame, or one that does not fit its canvas, ends
    // the play with the frames before it, and no play is longer than 10,000 frames.
    void todays_formats()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, picture);
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(QString::fromStdString(animation_text(decode_picture(bytes))), picture);
        QVERIFY(timer.elapsed() < 2000);
        QCOMPARE(warnings, 0);
    }

    // A drawing is made at the screen's scale, not enlarged from its own pixels.
    void drawings_are_sharp_at_200_percent()
    {
        const Picture picture = *decode_picture(svg("width='4' height='2'",
                                                    "<rect width='0.5' height='0.5' fill='#0000ff'/>"));
        QImage surface(8, 4, QImage::Format_ARGB32);
        surface.setDevicePixelRatio(2.0);
        surface.fill(Qt::white);
        QPainter painter(&surface);
        picture.draw(painter, QPoint(0, 0));
        painter.end();
        QCOMPARE(surface.pixelColor(0, 0), QColor(Qt::blue)); // half a pixel of the drawing, whole on the screen
        QCOMPARE(surface.pixelColor(1, 1), QColor(Qt::white));
    }
};

QTEST_MAIN(PictureLoaderTest)
#include "tst_picture_loader.moc"
