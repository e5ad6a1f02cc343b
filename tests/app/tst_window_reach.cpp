// Where a saved window frame goes on the screens there are: kept while its title strip can be
// grabbed, otherwise brought whole onto the nearest screen.
#include "app/WindowReach.h"

#include <QTest>

using platform::TwipsRect;

Q_DECLARE_METATYPE(TwipsRect)
Q_DECLARE_METATYPE(std::vector<TwipsRect>)

namespace {

// All in pixels, for reading; the rule works in twips.
TwipsRect px(float left, float top, float width, float height) { return { left * 15, top * 15, width * 15, height * 15 }; }

const TwipsRect Main = px(0, 0, 1280, 800);
const TwipsRect LeftOfMain = px(-1920, 0, 1920, 1080);
const TwipsRect BelowRight = px(1280, 800, 1024, 768);

}

class WindowReachTest : public QObject {
    Q_OBJECT

private slots:
    void place_data();
    void place();
};

void WindowReachTest::place_data()
{
    QTest::addColumn<std::vector<TwipsRect>>("screens");
    QTest::addColumn<TwipsRect>("frame");
    QTest::addColumn<QPoint>("expected"); // pixels

    const auto at = [](float left, float top) { return px(left, top, 500, 150); }; // a frame of 500 x 150
    const std::vector<TwipsRect> main { Main };
    QTest::newRow("on the screen") << main << at(100, 80) << QPoint(100, 80);
    QTest::newRow("title strip showing 100 px at the left edge") << main << at(-400, 300) << QPoint(-400, 300);
    QTest::newRow("title strip at the bottom edge") << main << at(300, 780) << QPoint(300, 780);
    QTest::newRow("off to the left: 99 px of the strip") << main << at(-401, 300) << QPoint(0, 300);
    QTest::newRow("off to the right: 99 px of the strip") << main << at(1181, 300) << QPoint(780, 300);
    QTest::newRow("off the bottom: 19 px of the strip") << main << at(300, 781) << QPoint(300, 650);
    QTest::newRow("off the top: 19 px of the strip") << main << at(300, -1) << QPoint(300, 0);
    QTest::newRow("bigger than the screen") << main << px(-3000, 5000, 1400, 900) << QPoint(0, 0);

    const std::vector<TwipsRect> two { Main, LeftOfMain };
    QTest::newRow("below the left monitor's right part, off the main one") << two << at(-600, 1100) << QPoint(-600, 930);
    QTest::newRow("no screens known") << std::vector<TwipsRect> {} << at(-3000, 200) << QPoint(-3000, 200);

    // Off both screens: the one nearer to the frame's centre takes it.
    const std::vector<TwipsRect> diagonal { Main, BelowRight };
    QTest::newRow("nearest screen: the main one") << diagonal << at(100, 1000) << QPoint(100, 650);
    QTest::newRow("nearest screen: the other one") << diagonal << at(1000, 1700) << QPoint(1280, 1418);
    QTest::newRow("nearest screen listed second, above it") << std::vector<TwipsRect> { BelowRight, Main }
        << at(500, -600) << QPoint(500, 0);
}

void WindowReachTest::place()
{
    QFETCH(std::vector<TwipsRect>, screens);
    QFETCH(TwipsRect, frame);
    QFETCH(QPoint, expected);
    const FramePlace place = reachable_place(frame, screens);
    QCOMPARE(QPointF(place.left / 15, place.top / 15), QPointF(expected));
}

QTEST_APPLESS_MAIN(WindowReachTest)
#include "tst_window_reach.moc"
