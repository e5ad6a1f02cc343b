// What the embedded pictures must satisfy for the program that shows them (their bytes are
// pinned by assets_reproducible): they decode, the body lines up with the controls laid over
// it, the @2x files show the same at twice the size. The door sound is played for real by
// sound_pulse_null_sink.
#include "FileBytes.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QtTest>

#include <cmath>

namespace {

QByteArray asset(const QString& file) { return file_bytes(":/assets/" + file); }

QImage picture(const QString& file) { return QImage::fromData(asset(file)).convertToFormat(QImage::Format_ARGB32); }

template <typename Visit>
void for_each_pixel(const QRect& area, Visit visit)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            visit(x, y);
}

// How many pixels of the area outside `hole` fail `good`.
template <typename Good>
int bad_pixels(const QRect& area, Good good, const QRect& hole = {})
{
    int bad = 0;
    for_each_pixel(area, [&](int x, int y) { bad += !hole.contains(x, y) && !good(x, y); });
    return bad;
}

double mean_grey(const QImage& image, const QRect& area)
{
    double sum = 0;
    for_each_pixel(area, [&](int x, int y) { sum += qGray(image.pixel(x, y)); });
    return sum / (area.width() * area.height());
}

// Mean difference of grey (and alpha) per pixel between two pictures of one size.
double mean_difference(const QImage& a, const QImage& b)
{
    double sum = 0;
    for_each_pixel(a.rect(), [&](int x, int y) {
        sum += std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y))) + std::abs(qAlpha(a.pixel(x, y)) - qAlpha(b.pixel(x, y)));
    });
    return sum / (a.width() * a.height());
}

}

class TestAssets : public QObject {
    Q_OBJECT

private slots:
    void pictures_data()
    {
        QTest::addColumn<QString>("file");
        for (const QString& file : QDir(":/assets").entryList({ "*.bmp", "*.ico", "*.cur" }))
            if (!file.contains("@2x"))
                QTest::newRow(qPrintable(file)) << file;
    }
    // The @2x picture shows the same thing at twice the size. Painted pictures are drawn
    // afresh, so they hold detail the 1x one cannot; the icon and cursor are pixel designs
    // whose every cell becomes a 2 x 2 block, mask included.
    void pictures()
    {
        QFETCH(QString, file);
        const QImage one = picture(file), two = picture(QString(file).replace(".", "@2x."));
        QVERIFY(!one.isNull());
        QCOMPARE(two.size(), one.size() * 2);
        const QImage enlarged = one.scaled(two.size());
        if (!file.endsWith(".bmp"))
            QCOMPARE(two, enlarged);
        else
            QVERIFY(two != enlarged && mean_difference(one, two.scaled(one.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)) < 6);
    }

    // The controls laid over the body, in window pixels: sign, doorways, signboard frame.
    void body_lines_up_with_controls()
    {
        const QImage body = picture("bus_body.bmp");
        const auto grey = [&](int x, int y) { return qGray(body.pixel(x, y)); };
        const QRect sign(212, 37, 52, 32);
        // A near-black box shows round the sign, and the body shows a little further out.
        QCOMPARE(bad_pixels(sign.adjusted(-2, -2, 2, 2), [&](int x, int y) { return grey(x, y) < 40; }, sign), 0);
        QCOMPARE(bad_pixels(sign.adjusted(-6, -6, 6, 6), [&](int x, int y) { return grey(x, y) > 150; }, sign.adjusted(-5, -5, 5, 5)), 0);
        // The doorways are open and dark inside, under a light body panel.
        for (const QRect& doorway : { QRect(20, 47, 73, 148), QRect(284, 47, 104, 149) }) {
            QVERIFY(mean_grey(body, doorway) < 110);
            QVERIFY(mean_grey(body, QRect(doorway.left(), doorway.top() - 8, doorway.width(), 5)) > 200);
        }
        QCOMPARE(bad_pixels(QRect(486, 106, 112, 43), [&](int x, int y) { return grey(x, y) > 190; }), 0);
    }

    // The icon is clear round the bus, which fills most of it; the cursor's fingertip is its
    // topmost drawn pixel and sits on its hot spot (12, 1), the finger running down.
    void icon_and_cursor_shapes()
    {
        const QImage icon = picture("bus.ico"), hand = picture("hand.cur");
        const int clear = bad_pixels(icon.rect(), [&](int x, int y) { return qAlpha(icon.pixel(x, y)) != 0; });
        QVERIFY2(clear > 20 && clear < 32 * 32 / 3, qPrintable(QString::number(clear)));
        QVERIFY(qAlpha(icon.pixel(0, 0)) == 0 && qAlpha(icon.pixel(16, 16)) == 255);
        const QByteArray cur = asset("hand.cur");
        QCOMPARE(QPoint(cur.at(10), cur.at(12)), QPoint(12, 1));
        QCOMPARE(bad_pixels(QRect(0, 0, 32, 2), [&](int x, int y) { return (qAlpha(hand.pixel(x, y)) == 0) == (y == 0 || std::abs(x - 12) > 1); }), 0);
        QVERIFY(qAlpha(hand.pixel(12, 5)) != 0);
    }
};

QTEST_MAIN(TestAssets)
#include "tst_assets.moc"
