// Windows metafiles and enhanced metafiles from real writers: their size, what they draw
// (checked by pixel), their text's character sets, and damaged files.
#include "FileBytes.h"

#include "platform/metafile/MetafilePicture.h"
#include "platform/metafile/MetafileText.h"

#include "platform/forms/Font.h"

#include <QFile>
#include <QtEndian>
#include <QTest>

using namespace platform;

namespace {

QByteArray sample(const QString& name) { return file_bytes(QStringLiteral(PICTURE_DATA "/") + name); }

QImage whole(const PictureSource& source) { return source.render(QRect(QPoint(0, 0), source.size())); }

bool near(QColor a, QColor b, int tolerance)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
        && std::abs(a.blue() - b.blue()) <= tolerance;
}

// Pixels of a rectangle close to a colour.
int count_near(const QImage& image, const QRect& area, QColor color, int tolerance = 60)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            count += near(image.pixelColor(x, y), color, tolerance) ? 1 : 0;
    }
    return count;
}

// Of the upper part's pixels near a colour in either image, the share near it in both.
double overlap(const QImage& a, const QImage& b, QColor color)
{
    int both = 0, either = 0;
    for (int y = 0; y < std::min(a.height(), b.height()) * 18 / 32; ++y) {
        for (int x = 0; x < std::min(a.width(), b.width()); ++x) {
            const bool in_a = near(a.pixelColor(x, y), color, 100), in_b = near(b.pixelColor(x, y), color, 100);
            both += in_a && in_b;
            either += in_a || in_b;
        }
    }
    return either == 0 ? 0 : double(both) / either;
}

// Where the nth record of a kind starts in an enhanced metafile.
int record_at(const QByteArray& emf, quint32 type, int nth = 1)
{
    for (int at = 0; at + 8 <= emf.size();) {
        if (qFromLittleEndian<quint32>(emf.constData() + at) == type && --nth == 0)
            return at;
        const int size = int(qFromLittleEndian<quint32>(emf.constData() + at + 4));
        if (size < 8)
            return -1;
        at += size;
    }
    return -1;
}

// Where the first record of a function whose font character set byte is `charset` starts
// in a placeable Windows metafile.
int wmf_record_at(const QByteArray& wmf, quint16 function, int charset)
{
    for (int at = 40; at + 20 <= wmf.size();) {
        const int size = int(qFromLittleEndian<quint32>(wmf.constData() + at)) * 2;
        if (size < 6)
            return -1;
        if (qFromLittleEndian<quint16>(wmf.constData() + at + 4) == function && quint8(wmf[at + 19]) == charset)
            return at;
        at += size;
    }
    return -1;
}

// The bytes with a little-endian field written at `at`.
template <typename Field>
QByteArray with(QByteArray bytes, int at, Field value)
{
    qToLittleEndian<Field>(value, bytes.data() + at);
    return bytes;
}

const QColor Navy(0, 0, 0x80), Yellow(0xFF, 0xFF, 0), Red(0xFF, 0, 0), Blue(0, 0, 0xFF), Green(0, 0xC0, 0),
    DarkGreen(0, 0xA0, 0);

}

class MetafileTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { install_font_substitutions(); }

    void signs_draw_ground_and_text_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("middle"); // the row between the two texts
        QTest::newRow("emf text") << "sign-inkscape.emf" << 18;
        QTest::newRow("emf paths") << "sign-inkscape-paths.emf" << 18;
        QTest::newRow("wmf polygons") << "sign-inkscape-paths.wmf" << 18;
        QTest::newRow("wmf text") << "sign-inkscape.wmf" << 18;
        QTest::newRow("dual emf") << "sign-libreoffice.emf" << 16;
        QTest::newRow("wmf text as gb2312") << "sign-libreoffice.wmf" << 17;
    }
    // Navy ground, yellow characters in the upper part, white ones below.
    void signs_draw_ground_and_text()
    {
        QFETCH(QString, file);
        QFETCH(int, middle);
        const auto source = decode_metafile(sample(file));
        QVERIFY(source);
        const QImage image = whole(*source);
        // Frames rounded up to whole millimetres leave white page right and below the drawing.
        const int width = std::min(image.width(), 52), height = std::min(image.height(), 32);
        QVERIFY(near(image.pixelColor(1, 1), Navy, 8));
        QVERIFY(near(image.pixelColor(width - 3, height - 3), Navy, 8));
        QVERIFY2(count_near(image, QRect(0, 0, width, middle), Yellow) >= 20, "too little yellow above");
        QCOMPARE(count_near(image, QRect(0, middle, width, height - middle), Yellow), 0);
        QVERIFY2(count_near(image, QRect(0, middle + 1, width, height - middle - 1), Qt::white) >= 15,
                 "too little white below");
        QCOMPARE(count_near(image, QRect(0, 0, width, middle - 1), Qt::white, 40), 0);
    }

    void text_is_drawn_with_its_own_characters_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("reference");
        QTest::addColumn<bool>("same");
        const QByteArray paths = sample("sign-inkscape-paths.emf"), gbk = sample("sign-libreoffice.wmf");
        QTest::newRow("wide text, the same as paths") << sample("sign-inkscape.emf") << paths << true;
        // The same bytes read as GBK and as the ANSI code page are different characters.
        QByteArray ansi = gbk;
        ansi[wmf_record_at(gbk, 0x02FB, 134) + 19] = 0;
        QTest::newRow("GBK differs from ANSI") << gbk << ansi << false;
    }
    // Text and the same characters drawn otherwise cover mostly the same pixels.
    void text_is_drawn_with_its_own_characters()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, reference);
        QFETCH(bool, same);
        const double shared = overlap(whole(*decode_metafile(text)), whole(*decode_metafile(reference)), Yellow);
        QVERIFY2(same ? shared > 0.5 : shared < 0.3, qPrintable(QString::number(shared)));
    }

    void bitmaps_keep_sharp_pixels_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("wmf stretch dib") << "bitmap-inkscape.wmf";
        QTest::newRow("emf stretch dib bits") << "bitmap-inkscape.emf";
    }
    // Blocks of 8 x 8 pixels from (4, 8): red, blue / green, white; no colour mixed at the seams.
    void bitmaps_keep_sharp_pixels()
    {
        QFETCH(QString, file);
        const auto source = decode_metafile(sample(file));
        QVERIFY(source);
        const QImage image = whole(*source);
        struct Expected { QPoint at; QColor color; };
        const Expected expected[] = { { { 4, 8 }, Red }, { { 11, 15 }, Red }, { { 12, 8 }, Blue }, { { 19, 15 }, Blue },
                                      { { 4, 16 }, Green }, { { 12, 16 }, Qt::white }, { { 2, 2 }, Qt::white },
                                      { { 30, 10 }, DarkGreen }, { { 50, 16 }, Qt::white } };
        for (const Expected& pixel : expected)
            QCOMPARE(image.pixelColor(pixel.at).name(), pixel.color.name());
    }

    void text_decoded_by_character_set_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("charset");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("units");
        QTest::newRow("shift_jis") << QByteArray("\x93\x8c\x8b\x9e\x89\x77 A") << 128 << QString("東京駅 A")
                                   << QList<int> { 2, 2, 2, 1, 1 };
        QTest::newRow("shift_jis half-width kana") << QByteArray("\xb6\xc5") << 128 << QString("ｶﾅ") << QList<int> { 1, 1 };
        QTest::newRow("gb2312 as gbk") << QByteArray("\x96\x7c\xbe\xa9\xf1\x6b") << 134 << QString("東京駅")
                                       << QList<int> { 2, 2, 2 };
        QTest::newRow("ansi") << QByteArray("\x80 caf\xe9") << 0 << QString("€ café") << QList<int> { 1, 1, 1, 1, 1, 1 };
        QTest::newRow("lead byte at the end") << QByteArray("A\x93") << 128 << QString("A?") << QList<int> { 1, 1 };
    }
    void text_decoded_by_character_set()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, charset);
        QFETCH(QString, text);
        QFETCH(QList<int>, units);
        const DecodedText decoded = decode_ansi_text(
            Bytes({ reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size()) }), charset);
        QString joined;
        for (const QString& character : decoded.characters)
            joined += character;
        QCOMPARE(joined, text);
        QCOMPARE(QList<int>(decoded.units.begin(), decoded.units.end()), units);
    }

    void sizes_or_refusals_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("outcome"); // the size, or how the refusal starts
        const QByteArray wmf = sample("sign-inkscape.wmf"), emf = sample("sign-inkscape.emf");
        const QByteArray bitmap = sample("bitmap-inkscape.emf");
        // Placeable: 649 x 399 units at 1200 an inch, through HIMETRIC.
        QTest::newRow("placeable wmf") << wmf << "52 x 32 px";
        // Frames of 1399 x 899 hundredths of a millimetre.
        QTest::newRow("emf") << emf << "53 x 34 px";
        QTest::newRow("emf frame 1375 wide, rounded") << with<quint32>(emf, 32, 1375) << "52 x 34 px";
        QTest::newRow("emf, frame far down the page") << sample("sign-pstoedit.emf") << "921 x 567 px";
        QTest::newRow("placeable wmf, 1310 x 781 at 2540 an inch") << sample("sign-libreoffice.wmf") << "50 x 30 px";
        QTest::newRow("plain wmf, by its window") << wmf.mid(22) << "649 x 399 px";
        const QString cut = "record runs past the end of the file", no_length = "record shorter than its header";
        QTest::newRow("wmf cut in a record") << wmf.left(wmf.size() - 7) << cut;
        QTest::newRow("emf cut in a record") << emf.left(emf.size() - 7) << cut;
        QTest::newRow("emf cut in its header") << emf.left(60) << "header runs past the end of the file";
        QTest::newRow("wmf record of no length") << with<quint32>(wmf, 40, 0) << no_length;
        QTest::newRow("emf record of no length")
            << with<quint32>(emf, qFromLittleEndian<quint32>(emf.constData() + 4) + 4, 0) << no_length;
        QTest::newRow("wmf with no object slots") << with<qint16>(wmf, 22 + 10, 0)
                                                  << "CreatePenIndirect record: object table too small";
        QTest::newRow("wmf no units per inch") << with<qint16>(wmf, 14, 0) << "no units per inch";
        QTest::newRow("wmf of 9000 pixels") << with<qint16>(with<qint16>(wmf, 14, 96), 10, 9000)
                                                     << "metafile wider or taller than 8192 px";
        QTest::newRow("emf frame upside down") << with<quint32>(emf, 36, quint32(-5)) << "frame empty or upside down";
        const int dib = record_at(bitmap, 81);
        QTest::newRow("emf bitmap rows past its record") << with<quint32>(bitmap, dib + 60, 0x7FFFFFFF)
                                                         << "StretchDiBits record: too short";
        const int info = dib + int(qFromLittleEndian<quint32>(bitmap.constData() + dib + 48));
        QTest::newRow("emf bitmap of 2^31 x 2^31")
            << with<quint32>(with<quint32>(bitmap, info + 8, 0x7FFFFFFF), info + 4, 0x7FFFFFFF) << "StretchDiBits record";
        QTest::newRow("plain wmf without a window") << wmf.mid(22).left(18) + QByteArray("\x03\0\0\0\0\0", 6)
                                                    << "no placeable header and no window extent";
    }
    // A metafile's natural size at 96 pixels an inch, or, damaged, why it is no picture.
    void sizes_or_refusals()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, outcome);
        QVERIFY(is_metafile(file));
        std::string refusal;
        const auto source = decode_metafile(file, &refusal);
        const QString result = source ? QString("%1 x %2 px").arg(source->size().width()).arg(source->size().height())
                                      : QString::fromStdString(refusal);
        QVERIFY2(result.startsWith(outcome), qPrintable(result));
    }
};

QTEST_MAIN(MetafileTest)
#include "tst_metafiles.moc"
