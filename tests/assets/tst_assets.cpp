// The embedded assets: exact file layouts, that they decode, and that the body picture
// lines up with the controls laid over it.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QRect>
#include <QtTest>

#include <cmath>
#include <cstdint>

namespace {

QByteArray asset(const QString& file)
{
    QFile f(":/assets/" + file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

std::uint32_t u8(const QByteArray& b, int at) { return static_cast<std::uint8_t>(b.at(at)); }
std::uint32_t u16(const QByteArray& b, int at) { return u8(b, at) | u8(b, at + 1) << 8; }
std::uint32_t u32(const QByteArray& b, int at) { return u16(b, at) | u16(b, at + 2) << 16; }
std::int32_t i32(const QByteArray& b, int at) { return static_cast<std::int32_t>(u32(b, at)); }
QByteArray tag(const QByteArray& b, int at) { return b.mid(at, 4); }

int stride(int width, int bits) { return (width * bits + 31) / 32 * 4; }

// Fields of a BITMAPINFOHEADER at `at`.
struct InfoHeader {
    std::uint32_t size;
    std::int32_t width, height;
    std::uint32_t planes, bits, compression, image_bytes;
};

InfoHeader info_header(const QByteArray& b, int at)
{
    return {u32(b, at), i32(b, at + 4), i32(b, at + 8), u16(b, at + 12),
            u16(b, at + 14), u32(b, at + 16), u32(b, at + 20)};
}

// Whether the AND mask of a 32-wide icon image marks (x, y) as see-through.
bool mask_clear(const QByteArray& b, int mask_at, int height, int x, int y)
{
    const int row = mask_at + (height - 1 - y) * stride(32, 1);
    return (u8(b, row + x / 8) >> (7 - x % 8)) & 1;
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

// "" when `good` holds for every pixel of `area`, else where it first fails.
template <typename Good>
QString first_bad_pixel(const QRect& area, Good good)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (!good(x, y))
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
    const auto data = static_cast<int>(b.indexOf("data"));
    std::vector<int> samples;
    for (std::uint32_t i = 0; i < u32(b, data + 4); ++i)
        samples.push_back(static_cast<int>(u8(b, data + 8 + static_cast<int>(i))) - 128);
    return samples;
}

double rms(const std::vector<int>& s, double from, double to)
{
    const auto first = static_cast<std::size_t>(from * 22050), last = static_cast<std::size_t>(to * 22050);
    double sum = 0;
    for (std::size_t i = first; i < last; ++i)
        sum += s[i] * s[i];
    return std::sqrt(sum / static_cast<double>(last - first));
}

double crossings_per_second(const std::vector<int>& s, double from, double to)
{
    const auto first = static_cast<std::size_t>(from * 22050), last = static_cast<std::size_t>(to * 22050);
    int crossings = 0;
    for (std::size_t i = first + 1; i < last; ++i)
        crossings += (s[i - 1] < 0) != (s[i] < 0);
    return crossings / (to - from);
}

}

class TestAssets : public QObject {
    Q_OBJECT

private slots:
    void everyAssetIsEmbedded();
    void bitmaps_data();
    void bitmaps();
    void bodyLinesUpWithControls();
    void switchFaces();
    void icon();
    void cursor();
    void waves_data();
    void waves();
    void doorSoundHissesThenFades();
    void chimeIsTonal();
};

void TestAssets::everyAssetIsEmbedded()
{
    QStringList files = QDir(":/assets").entryList(QDir::Files);
    files.sort();
    const QStringList expected = {
        "bus.ico", "bus_body.bmp", "front_door.bmp", "front_inner.bmp", "hand.cur",
        "middle_leaf_left.bmp", "middle_leaf_right.bmp", "sign_blank.bmp", "slide_base.bmp",
        "slide_leaf.bmp", "switch_front.bmp", "switch_middle.bmp", "wave101.wav", "wave102.wav"};
    QCOMPARE(files, expected);
}

void TestAssets::bitmaps_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("body") << "bus_body.bmp" << 665 << 212;
    QTest::newRow("front door") << "front_door.bmp" << 73 << 148;
    QTest::newRow("middle left") << "middle_leaf_left.bmp" << 54 << 149;
    QTest::newRow("middle right") << "middle_leaf_right.bmp" << 52 << 149;
    QTest::newRow("sign") << "sign_blank.bmp" << 52 << 32;
    QTest::newRow("slide base") << "slide_base.bmp" << 76 << 142;
    QTest::newRow("slide leaf") << "slide_leaf.bmp" << 76 << 141;
    QTest::newRow("front inner") << "front_inner.bmp" << 42 << 137;
    QTest::newRow("switch front") << "switch_front.bmp" << 50 << 20;
    QTest::newRow("switch middle") << "switch_middle.bmp" << 50 << 20;
}

// 24-bit, bottom-up, rows padded with zeros to 4 bytes, and decoders agree on every pixel.
void TestAssets::bitmaps()
{
    QFETCH(QString, file);
    QFETCH(int, width);
    QFETCH(int, height);
    const QByteArray b = asset(file);
    const int row = stride(width, 24);
    QCOMPARE(b.size(), 54 + row * height);
    QCOMPARE(b.left(2), QByteArray("BM"));
    QCOMPARE(u32(b, 2), static_cast<std::uint32_t>(b.size()));
    QCOMPARE(u32(b, 10), 54u);
    const InfoHeader h = info_header(b, 14);
    QCOMPARE(h.size, 40u);
    QCOMPARE(h.width, width);
    QCOMPARE(h.height, height);
    QCOMPARE(h.planes, 1u);
    QCOMPARE(h.bits, 24u);
    QCOMPARE(h.compression, 0u);
    QCOMPARE(h.image_bytes, static_cast<std::uint32_t>(row * height));

    const QImage image = QImage::fromData(b, "BMP");
    QCOMPARE(image.size(), QSize(width, height));
    for (int y = 0; y < height; ++y) {
        const int line = 54 + (height - 1 - y) * row;
        for (int x = 0; x < width; ++x) {
            const int at = line + 3 * x;
            const QRgb raw = qRgb(int(u8(b, at + 2)), int(u8(b, at + 1)), int(u8(b, at)));
            if (raw != image.pixel(x, y))
                QFAIL(qPrintable(QString("pixel %1,%2 differs").arg(x).arg(y)));
        }
        for (int pad = 3 * width; pad < row; ++pad)
            QCOMPARE(u8(b, line + pad), 0u);
    }
}

void TestAssets::bodyLinesUpWithControls()
{
    const QImage body = QImage::fromData(asset("bus_body.bmp"), "BMP");
    QVERIFY(!body.isNull());

    // A near-black box shows round the sign, and the body shows a little further out.
    const QRect box = kDestinationSign.adjusted(-2, -2, 2, 2);
    QCOMPARE(first_bad_pixel(box, [&](int x, int y) {
                 return kDestinationSign.contains(x, y) || qGray(body.pixel(x, y)) < 40;
             }), QString());
    const QRect beyond = kDestinationSign.adjusted(-6, -6, 6, 6);
    QCOMPARE(first_bad_pixel(beyond, [&](int x, int y) {
                 return beyond.adjusted(1, 1, -1, -1).contains(x, y) || qGray(body.pixel(x, y)) > 150;
             }), QString());

    // The doorways are open and dark inside, under a light body panel.
    for (const QRect& doorway : {kFrontDoorway, kMiddleDoorway}) {
        QVERIFY(mean_grey(body, doorway) < 110);
        QVERIFY(mean_grey(body, QRect(doorway.left(), doorway.top() - 8, doorway.width(), 5)) > 200);
    }

    // The signboard and its frame stand on plain body side.
    QCOMPARE(first_bad_pixel(kSignboardFrame.adjusted(-4, -4, 4, 4),
                             [&](int x, int y) { return qGray(body.pixel(x, y)) > 190; }),
             QString());
}

// Black lettering centred on a yellow cap; the two caps say different things.
void TestAssets::switchFaces()
{
    QImage faces[2];
    const char* files[] = {"switch_front.bmp", "switch_middle.bmp"};
    for (int i = 0; i < 2; ++i) {
        const QImage face = QImage::fromData(asset(files[i]), "BMP");
        QCOMPARE(face.size(), QSize(50, 20));
        for (QPoint corner : {QPoint(0, 0), QPoint(49, 0), QPoint(0, 19), QPoint(49, 19)}) {
            const QRgb c = face.pixel(corner);
            QVERIFY(qRed(c) > 200 && qGreen(c) > 170 && qBlue(c) < 110);
        }
        QRect ink;
        int dark = 0;
        for_each_pixel(face.rect(), [&](int x, int y) {
            if (qGray(face.pixel(x, y)) < 60) {
                ink |= QRect(x, y, 1, 1);
                ++dark;
            }
        });
        QVERIFY2(dark > 80, "lettering too thin");
        QVERIFY(std::abs(ink.center().x() - 24) <= 2);
        QVERIFY(std::abs(ink.center().y() - 9) <= 2);
        QVERIFY(ink.width() >= 24 && ink.height() >= 11);
        faces[i] = face;
    }
    QVERIFY(faces[0] != faces[1]);
}

void TestAssets::icon()
{
    const QByteArray b = asset("bus.ico");
    QCOMPARE(b.size(), 22 + 40 + 16 * 4 + 32 * 16 + 32 * 4);
    QCOMPARE(u16(b, 0), 0u);
    QCOMPARE(u16(b, 2), 1u);
    QCOMPARE(u16(b, 4), 1u);
    QCOMPARE(u8(b, 6), 32u);
    QCOMPARE(u8(b, 7), 32u);
    QCOMPARE(u8(b, 8), 16u);
    QCOMPARE(u16(b, 10), 1u);
    QCOMPARE(u16(b, 12), 4u);
    QCOMPARE(u32(b, 14), static_cast<std::uint32_t>(b.size() - 22));
    QCOMPARE(u32(b, 18), 22u);
    const InfoHeader h = info_header(b, 22);
    QCOMPARE(h.size, 40u);
    QCOMPARE(h.width, 32);
    QCOMPARE(h.height, 64);
    QCOMPARE(h.bits, 4u);
    QCOMPARE(h.compression, 0u);

    const QImage image = QImage::fromData(b, "ICO").convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(image.size(), QSize(32, 32));
    const int mask_at = 22 + 40 + 64 + 32 * 16;
    QCOMPARE(first_bad_pixel(image.rect(), [&](int x, int y) {
                 return (qAlpha(image.pixel(x, y)) == 0) == mask_clear(b, mask_at, 32, x, y);
             }), QString());
    int clear = 0;
    for_each_pixel(image.rect(), [&](int x, int y) { clear += mask_clear(b, mask_at, 32, x, y); });
    QVERIFY(clear > 20);             // transparent round the bus
    QVERIFY(clear < 32 * 32 / 3);    // but the bus fills the icon
    QVERIFY(mask_clear(b, mask_at, 32, 0, 0));
    QVERIFY(!mask_clear(b, mask_at, 32, 16, 16));
}

void TestAssets::cursor()
{
    const QByteArray b = asset("hand.cur");
    QCOMPARE(b.size(), 22 + 40 + 2 * 4 + 32 * 4 + 32 * 4);
    QCOMPARE(u16(b, 2), 2u); // cursor
    QCOMPARE(u16(b, 4), 1u);
    QCOMPARE(u8(b, 6), 32u);
    QCOMPARE(u8(b, 7), 32u);
    QCOMPARE(u16(b, 10), 12u); // hot spot x
    QCOMPARE(u16(b, 12), 1u);  // hot spot y
    QCOMPARE(u32(b, 14), static_cast<std::uint32_t>(b.size() - 22));
    QCOMPARE(u32(b, 18), 22u);
    const InfoHeader h = info_header(b, 22);
    QCOMPARE(h.width, 32);
    QCOMPARE(h.height, 64);
    QCOMPARE(h.bits, 1u);

    // The fingertip is the topmost drawn pixel and sits on the hot spot.
    const int mask_at = 22 + 40 + 8 + 32 * 4;
    for (int x = 0; x < 32; ++x) {
        QVERIFY(mask_clear(b, mask_at, 32, x, 0));
        QCOMPARE(mask_clear(b, mask_at, 32, x, 1), std::abs(x - 12) > 1);
    }
    const QImage image = QImage::fromData(b, "ICO").convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(image.size(), QSize(32, 32));
    QCOMPARE(qAlpha(image.pixel(12, 1)), 255);
    QCOMPARE(qAlpha(image.pixel(12, 0)), 0);
    QCOMPARE(qAlpha(image.pixel(12, 5)), 255);
}

void TestAssets::waves_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("samples");
    QTest::addColumn<bool>("fact");
    QTest::newRow("door air") << "wave101.wav" << 17640 << false;
    QTest::newRow("chime") << "wave102.wav" << 44100 << true;
}

// 8-bit mono PCM at 22,050 Hz, chunks in order, quiet at both ends and never clipped.
void TestAssets::waves()
{
    QFETCH(QString, file);
    QFETCH(int, samples);
    QFETCH(bool, fact);
    const QByteArray b = asset(file);
    const int data_at = fact ? 48 : 36;
    QCOMPARE(b.size(), data_at + 8 + samples);
    QCOMPARE(tag(b, 0), QByteArray("RIFF"));
    QCOMPARE(u32(b, 4), static_cast<std::uint32_t>(b.size() - 8));
    QCOMPARE(tag(b, 8), QByteArray("WAVE"));
    QCOMPARE(tag(b, 12), QByteArray("fmt "));
    QCOMPARE(u32(b, 16), 16u);
    QCOMPARE(u16(b, 20), 1u);
    QCOMPARE(u16(b, 22), 1u);
    QCOMPARE(u32(b, 24), 22050u);
    QCOMPARE(u32(b, 28), 22050u);
    QCOMPARE(u16(b, 32), 1u);
    QCOMPARE(u16(b, 34), 8u);
    if (fact) {
        QCOMPARE(tag(b, 36), QByteArray("fact"));
        QCOMPARE(u32(b, 40), 4u);
        QCOMPARE(u32(b, 44), static_cast<std::uint32_t>(samples));
    }
    QCOMPARE(tag(b, data_at), QByteArray("data"));
    QCOMPARE(u32(b, data_at + 4), static_cast<std::uint32_t>(samples));

    const std::vector<int> s = wave_samples(b);
    int peak = 0;
    for (int v : s) {
        QVERIFY(v > -128 && v < 127);
        peak = std::max(peak, std::abs(v));
    }
    QVERIFY2(peak > 60, "too quiet");
    QVERIFY(std::abs(s.front()) <= 2 && std::abs(s.back()) <= 2);
}

// A hiss is broadband noise: far more zero crossings than any tone in it, loud first.
void TestAssets::doorSoundHissesThenFades()
{
    const std::vector<int> s = wave_samples(asset("wave101.wav"));
    QVERIFY(rms(s, 0.0, 0.1) > 4 * rms(s, 0.7, 0.8));
    QVERIFY(rms(s, 0.0, 0.1) > 15);
    QVERIFY(crossings_per_second(s, 0.05, 0.35) > 4000);
}

// Two bell notes, E5 then C5: zero crossings follow their pitch, and the second note restarts
// the level.
void TestAssets::chimeIsTonal()
{
    const std::vector<int> s = wave_samples(asset("wave102.wav"));
    const double first = crossings_per_second(s, 0.1, 0.55);
    const double second = crossings_per_second(s, 0.7, 1.2);
    QVERIFY2(std::abs(first - 2 * 659.26) < 60, qPrintable(QString::number(first)));
    QVERIFY2(std::abs(second - 2 * 523.25) < 60, qPrintable(QString::number(second)));
    QVERIFY(rms(s, 0.63, 0.7) > 1.2 * rms(s, 0.5, 0.6));
}

QTEST_MAIN(TestAssets)
#include "tst_assets.moc"
