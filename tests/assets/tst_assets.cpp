// The embedded assets: exact file layouts, that they decode, and that the body picture
// lines up with the controls laid over it.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPolygon>
#include <QtTest>

#include <cmath>
#include <cstdint>

namespace {

QByteArray asset(const QString& file)
{
    QFile f(":/assets/" + file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The little-endian number of `bytes` bytes at `at`.
std::uint32_t le(const QByteArray& b, int at, int bytes)
{
    return bytes == 0 ? 0 : le(b, at + 1, bytes - 1) << 8 | static_cast<std::uint8_t>(b.at(at));
}
// A tag such as "RIFF" read the same way, to sit in a table of fields.
long long chars(const char* s) { return le(QByteArray(s), 0, static_cast<int>(qstrlen(s))); }

int stride(int width, int bits) { return (width * bits + 31) / 32 * 4; }

// One header field: where it is, how many bytes wide, and what it must hold.
struct Field { int at, bytes; long long expected; };
using Fields = std::vector<Field>;
Fields operator+(Fields a, const Fields& b) { return a.insert(a.end(), b.begin(), b.end()), a; }

// "" when the file has `size` bytes and every field holds its value, else what is wrong.
QString wrong_layout(const QByteArray& b, int size, const Fields& fields)
{
    if (b.size() != size)
        return QString("%1 bytes, not %2").arg(b.size()).arg(size);
    for (const Field& f : fields)
        if (const std::uint32_t got = le(b, f.at, f.bytes); got != f.expected)
            return QString("offset %1 holds 0x%2, not 0x%3")
                .arg(f.at).arg(got, 0, 16).arg(f.expected, 0, 16);
    return {};
}

// A RIFF chunk header at `at`: its tag, then the size of what follows.
Fields chunk(int at, const char* tag, int size) { return {{at, 4, chars(tag)}, {at + 4, 4, size}}; }

// A BITMAPINFOHEADER at `at`: one plane, uncompressed.
Fields info_header(int at, int width, int height, int bits, int image_bytes)
{
    return {{at, 4, 40}, {at + 4, 4, width}, {at + 8, 4, height}, {at + 12, 2, 1},
            {at + 14, 2, bits}, {at + 16, 4, 0}, {at + 20, 4, image_bytes}};
}

// A square icon or cursor image follows its directory (22 bytes) and info header: the
// palette, the colour rows, then the AND mask, which says whether (x, y) is see-through.
int mask_at(int bits, int size) { return 22 + 40 + (4 << bits) + size * stride(size, bits); }
bool mask_clear(const QByteArray& b, int bits, int x, int y, int size = 32)
{
    return (le(b, mask_at(bits, size) + (size - 1 - y) * stride(size, 1) + x / 8, 1) >> (7 - x % 8)) & 1;
}

// Every embedded file, with what its layout depends on.
struct Bitmap { const char* file; int width, height; };
const Bitmap kBitmaps[] = {
    {"bus_body.bmp", 665, 212}, {"front_door.bmp", 73, 148}, {"middle_leaf_left.bmp", 54, 149},
    {"middle_leaf_right.bmp", 52, 149}, {"sign_blank.bmp", 52, 32}, {"slide_base.bmp", 76, 142},
    {"slide_leaf.bmp", 76, 141}, {"front_inner.bmp", 42, 137}, {"switch_front.bmp", 50, 20},
    {"switch_middle.bmp", 50, 20}, {"bus_body@2x.bmp", 1330, 424}, {"front_door@2x.bmp", 146, 296},
    {"middle_leaf_left@2x.bmp", 108, 298}, {"middle_leaf_right@2x.bmp", 104, 298},
    {"sign_blank@2x.bmp", 104, 64}, {"slide_base@2x.bmp", 152, 284}, {"slide_leaf@2x.bmp", 152, 282},
    {"front_inner@2x.bmp", 84, 274}, {"switch_front@2x.bmp", 100, 40}, {"switch_middle@2x.bmp", 100, 40}};
// `field_a` and `field_b` are planes and bit count for an icon, the hot spot for a cursor.
struct IconFile { const char* file; int size, type, bits, field_a, field_b; };
const IconFile kIconFiles[] = {{"bus.ico", 32, 1, 4, 1, 4}, {"hand.cur", 32, 2, 1, 12, 1},
                               {"bus@2x.ico", 64, 1, 4, 1, 4}, {"hand@2x.cur", 64, 2, 1, 24, 2}};
struct Wave { const char* file; int samples; bool fact; };
const Wave kWaves[] = {{"wave101.wav", 17640, false}, {"wave102.wav", 44100, true}};

template <typename Row, std::size_t N>
void add_rows(const Row (&table)[N])
{
    QTest::addColumn<Row>("row");
    for (const Row& row : table)
        QTest::newRow(row.file) << row;
}

// The control rectangles laid over the body, in window pixels.
const QRect kFrontDoorway(20, 47, 73, 148);
const QRect kMiddleDoorway(284, 47, 104, 149);
const QRect kDestinationSign(212, 37, 52, 32);
const QRect kSignboardFrame(490, 110, 104, 35);

template <typename Visit>
void for_each_pixel(const QRect& area, Visit visit)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            visit(x, y);
}

// "" when `good` holds for every pixel of `area` outside `hole`, else where it first fails.
template <typename Good>
QString first_bad_pixel(const QRect& area, Good good, const QRect& hole = {})
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (!hole.contains(x, y) && !good(x, y))
                return QString("pixel %1,%2").arg(x).arg(y);
    return {};
}

double mean_grey(const QImage& image, const QRect& area)
{
    double sum = 0;
    for_each_pixel(area, [&](int x, int y) { sum += qGray(image.pixel(x, y)); });
    return sum / (area.width() * area.height());
}

// 8-bit samples of a wave file's data chunk, centred on zero.
std::vector<int> wave_samples(const QByteArray& b)
{
    const QByteArray data = b.mid(b.indexOf("data") + 8, le(b, b.indexOf("data") + 4, 4));
    std::vector<int> samples(data.begin(), data.end());
    for (int& v : samples)
        v = (v & 0xff) - 128;
    return samples;
}

// Loudness (root mean square) and zero crossings per second between two times.
struct Stretch { double rms, crossings; };
Stretch stretch(const std::vector<int>& s, double from, double to)
{
    const auto first = std::size_t(from * 22050), last = std::size_t(to * 22050);
    double sum = 0, crossings = 0;
    for (auto i = first; i < last; ++i) {
        sum += s[i] * s[i];
        crossings += i > first && (s[i - 1] < 0) != (s[i] < 0);
    }
    return {std::sqrt(sum / double(last - first)), crossings / (to - from)};
}

}

Q_DECLARE_METATYPE(Bitmap)
Q_DECLARE_METATYPE(IconFile)
Q_DECLARE_METATYPE(Wave)

class TestAssets : public QObject {
    Q_OBJECT

private slots:
    // Nothing missing and nothing left unchecked.
    void everyAssetIsEmbedded()
    {
        QStringList expected;
        for (const Bitmap& f : kBitmaps) expected << f.file;
        for (const IconFile& f : kIconFiles) expected << f.file;
        for (const Wave& f : kWaves) expected << f.file;
        expected.sort();
        QCOMPARE(QDir(":/assets").entryList(QDir::Files, QDir::Name), expected);
    }

    void bitmaps_data() { add_rows(kBitmaps); }
    // 24-bit, bottom-up, rows padded with zeros to 4 bytes, and decoders agree on every pixel.
    void bitmaps()
    {
        QFETCH(Bitmap, row);
        const QByteArray b = asset(row.file);
        const int line = stride(row.width, 24), pixels = line * row.height, pad = line - 3 * row.width;
        QCOMPARE(wrong_layout(b, 54 + pixels,
                              Fields{{0, 2, chars("BM")}, {2, 4, 54 + pixels}, {6, 4, 0}, {10, 4, 54}} +
                                  info_header(14, row.width, row.height, 24, pixels)),
                 QString());
        for (int y = 0; y < row.height; ++y)
            QCOMPARE(b.mid(54 + y * line + 3 * row.width, pad), QByteArray(pad, '\0'));
        const QImage raw(reinterpret_cast<const uchar*>(b.constData()) + 54, row.width, row.height,
                         line, QImage::Format_BGR888);
        QCOMPARE(QImage::fromData(b, "BMP").convertToFormat(QImage::Format_RGB32),
                 raw.mirrored().convertToFormat(QImage::Format_RGB32));
    }

    void bodyLinesUpWithControls()
    {
        const QImage body = QImage::fromData(asset("bus_body.bmp"), "BMP");
        const auto grey = [&](int x, int y) { return qGray(body.pixel(x, y)); };
        const QRect& sign = kDestinationSign;

        // A near-black box shows round the sign, and the body shows a little further out.
        QCOMPARE(first_bad_pixel(sign.adjusted(-2, -2, 2, 2),
                                 [&](int x, int y) { return grey(x, y) < 40; }, sign), QString());
        QCOMPARE(first_bad_pixel(sign.adjusted(-6, -6, 6, 6), [&](int x, int y) { return grey(x, y) > 150; },
                                 sign.adjusted(-5, -5, 5, 5)), QString());

        // The doorways are open and dark inside, under a light body panel.
        for (const QRect& doorway : {kFrontDoorway, kMiddleDoorway}) {
            QVERIFY(mean_grey(body, doorway) < 110);
            QVERIFY(mean_grey(body, QRect(doorway.left(), doorway.top() - 8, doorway.width(), 5)) > 200);
        }

        // The signboard and its frame stand on plain body side.
        QCOMPARE(first_bad_pixel(kSignboardFrame.adjusted(-4, -4, 4, 4),
                                 [&](int x, int y) { return grey(x, y) > 190; }), QString());
    }

    // Black lettering centred on a yellow cap; the two caps say different things. Their size
    // is checked with the other bitmaps.
    void switchFaces()
    {
        QList<QImage> faces;
        for (const char* file : {"switch_front.bmp", "switch_middle.bmp"}) {
            const QImage face = faces.emplace_back(QImage::fromData(asset(file), "BMP"));
            for (QRgb c : {face.pixel(0, 0), face.pixel(49, 0), face.pixel(0, 19), face.pixel(49, 19)})
                QVERIFY(qRed(c) > 200 && qGreen(c) > 170 && qBlue(c) < 110);
            QPolygon ink;
            for_each_pixel(face.rect(), [&](int x, int y) {
                if (qGray(face.pixel(x, y)) < 60)
                    ink << QPoint(x, y);
            });
            QVERIFY2(ink.size() > 80, "lettering too thin");
            const QRect box = ink.boundingRect();
            QVERIFY(std::abs(box.center().x() - 24) <= 2 && std::abs(box.center().y() - 9) <= 2);
            QVERIFY(box.width() >= 24 && box.height() >= 11);
        }
        QVERIFY(faces[0] != faces[1]);
    }

    void iconFiles_data() { add_rows(kIconFiles); }
    // One image of double height in the info header, a full palette, and an AND mask that
    // the decoder turns into the alpha channel.
    void iconFiles()
    {
        QFETCH(IconFile, row);
        const QByteArray b = asset(row.file);
        const int n = row.size;
        const int size = mask_at(row.bits, n) + n * stride(n, 1), colours = 1 << row.bits;
        const Fields directory = {{0, 2, 0}, {2, 2, row.type}, {4, 2, 1}, {6, 1, n}, {7, 1, n},
                                  {8, 1, colours}, {9, 1, 0}, {10, 2, row.field_a},
                                  {12, 2, row.field_b}, {14, 4, size - 22}, {18, 4, 22}};
        const Fields header = info_header(22, n, 2 * n, row.bits, size - 62 - 4 * colours);
        QCOMPARE(wrong_layout(b, size, directory + header), QString());

        const QImage image = QImage::fromData(b, "ICO").convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(image.size(), QSize(n, n));
        QCOMPARE(first_bad_pixel(image.rect(), [&](int x, int y) {
                     return (qAlpha(image.pixel(x, y)) == 0) == mask_clear(b, row.bits, x, y, n);
                 }), QString());
    }

    // Transparent round the bus, but the bus fills most of the icon.
    void iconShape()
    {
        const QByteArray b = asset("bus.ico");
        int clear = 0;
        for_each_pixel(QRect(0, 0, 32, 32), [&](int x, int y) { clear += mask_clear(b, 4, x, y); });
        QVERIFY2(clear > 20 && clear < 32 * 32 / 3, qPrintable(QString::number(clear)));
        QVERIFY(mask_clear(b, 4, 0, 0) && !mask_clear(b, 4, 16, 16));
    }

    // The fingertip is the topmost drawn pixel and sits on the hot spot; the finger runs down.
    void cursorFingertip()
    {
        const QByteArray b = asset("hand.cur");
        QCOMPARE(first_bad_pixel(QRect(0, 0, 32, 2), [&](int x, int y) {
                     return mask_clear(b, 1, x, y) == (y == 0 || std::abs(x - 12) > 1);
                 }), QString());
        QVERIFY(!mask_clear(b, 1, 12, 5));
    }

    void doubleSize_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("pixelDesign");
        for (const Bitmap& f : kBitmaps)
            if (!QString(f.file).contains("@2x"))
                QTest::newRow(f.file) << QString(f.file) << false;
        for (const char* file : {"bus.ico", "hand.cur"})
            QTest::newRow(file) << QString(file) << true;
    }
    // The @2x picture shows the same thing at twice the size. Painted pictures are drawn
    // afresh, so they hold detail the 1x one cannot; the icon and cursor are pixel designs
    // whose every cell becomes a 2 x 2 block, hot spot and mask included.
    void doubleSize()
    {
        QFETCH(QString, file);
        QFETCH(bool, pixelDesign);
        const QString twice = QString(file).replace(".", "@2x.");
        const QImage one = QImage::fromData(asset(file)).convertToFormat(QImage::Format_ARGB32);
        const QImage two = QImage::fromData(asset(twice)).convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(two.size(), one.size() * 2);
        const QImage enlarged = one.scaled(two.size());
        const QImage reduced = two.scaled(one.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        if (pixelDesign) {
            QCOMPARE(two, enlarged);
            return;
        }
        double difference = 0;
        for_each_pixel(one.rect(), [&](int x, int y) {
            difference += std::abs(qGray(one.pixel(x, y)) - qGray(reduced.pixel(x, y)));
        });
        QVERIFY2(difference / (one.width() * one.height()) < 6, qPrintable(QString::number(difference)));
        QVERIFY(two != enlarged);
    }

    void themeIcons_data()
    {
        QTest::addColumn<int>("size");
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
            QTest::newRow(qPrintable(QString::number(size))) << size;
    }
    // The installed icons: each file of its size, clear in the corners, the bus solid in
    // the middle, and the scalable icon drawing the same bus.
    void themeIcons()
    {
        QFETCH(int, size);
        const QString dir = BUS_ASSETS_DIR;
        const QImage icon = QImage(dir + QString("/bus_%1.png").arg(size)).convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(icon.size(), QSize(size, size));
        QCOMPARE(qAlpha(icon.pixel(0, size - 1)), 0);
        QCOMPARE(qAlpha(icon.pixel(size - 1, size - 1)), 0);
        QCOMPARE(qAlpha(icon.pixel(size / 2, size / 2)), 255);

        // 32 pixels is the hand-set window icon; the other sizes come from the scalable shapes.
        if (size == 32) {
            QCOMPARE(icon, QImage::fromData(asset("bus.ico"), "ICO").convertToFormat(QImage::Format_ARGB32));
            return;
        }
        QImageReader svg(dir + "/bus.svg");
        svg.setScaledSize(QSize(size, size));
        const QImage drawn = svg.read().convertToFormat(QImage::Format_ARGB32);
        QVERIFY2(!drawn.isNull(), qPrintable(svg.errorString()));
        double difference = 0;
        for_each_pixel(icon.rect(), [&](int x, int y) {
            difference += std::abs(qGray(icon.pixel(x, y)) - qGray(drawn.pixel(x, y)))
                + std::abs(qAlpha(icon.pixel(x, y)) - qAlpha(drawn.pixel(x, y)));
        });
        QVERIFY2(difference / (size * size) < 2, qPrintable(QString::number(difference / (size * size))));
    }

    void waves_data() { add_rows(kWaves); }
    // 8-bit mono PCM at 22,050 Hz, chunks in order, quiet at both ends and never clipped.
    void waves()
    {
        QFETCH(Wave, row);
        const QByteArray b = asset(row.file);
        const int data_at = row.fact ? 48 : 36, size = data_at + 8 + row.samples;
        // PCM, one channel, 22,050 samples and bytes a second, one byte a sample, 8 bits.
        const Fields format = {{8, 4, chars("WAVE")}, {20, 2, 1}, {22, 2, 1}, {24, 4, 22050},
                               {28, 4, 22050}, {32, 2, 1}, {34, 2, 8}};
        const Fields fact = chunk(36, "fact", 4) + Fields{{44, 4, row.samples}};
        const Fields chunks = chunk(0, "RIFF", size - 8) + chunk(12, "fmt ", 16) +
                              (row.fact ? fact : Fields()) + chunk(data_at, "data", row.samples);
        QCOMPARE(wrong_layout(b, size, chunks + format), QString());

        const std::vector<int> s = wave_samples(b);
        const auto [low, high] = std::minmax_element(s.begin(), s.end());
        QVERIFY(*low > -128 && *high < 127);
        QVERIFY2(std::max(-*low, *high) > 60, "too quiet");
        QVERIFY(std::abs(s.front()) <= 2 && std::abs(s.back()) <= 2);
    }

    // A hiss is broadband noise: far more zero crossings than any tone in it, loud first.
    void doorSoundHissesThenFades()
    {
        const std::vector<int> s = wave_samples(asset("wave101.wav"));
        QVERIFY(stretch(s, 0.0, 0.1).rms > std::max(15.0, 4 * stretch(s, 0.7, 0.8).rms));
        QVERIFY(stretch(s, 0.05, 0.35).crossings > 4000);
    }

    // Two bell notes, E5 then C5: zero crossings follow their pitch, and the second note
    // restarts the level.
    void chimeIsTonal()
    {
        const std::vector<int> s = wave_samples(asset("wave102.wav"));
        const double first = stretch(s, 0.1, 0.55).crossings, second = stretch(s, 0.7, 1.2).crossings;
        QVERIFY2(std::abs(first - 2 * 659.26) < 60, qPrintable(QString::number(first)));
        QVERIFY2(std::abs(second - 2 * 523.25) < 60, qPrintable(QString::number(second)));
        QVERIFY(stretch(s, 0.63, 0.7).rms > 1.2 * stretch(s, 0.5, 0.6).rms);
    }
};

QTEST_MAIN(TestAssets)
#include "tst_assets.moc"
