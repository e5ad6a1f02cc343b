// The animation clock: frames at their delays, a frame due while the program was busy passed
// over (the animation goes on from where the clock is, not from where it stopped), plays
// counted and skipped whole, the last frame held at the end.
#include "platform/codec/AnimationClock.h"

#include <QTest>

#include <vector>

using namespace platform;

namespace {

// The frame an animation of these delays shows after the clock is looked at these times,
// stepped as the player steps it; -1 after its end.
int frame_after(int plays, const std::vector<int>& delays, const std::vector<int>& looks)
{
    AnimationClock clock(plays, 0, delays[0]);
    std::size_t frame = 0;
    for (const int now : looks) {
        while (clock.frame_over(now)) {
            if (frame + 1 < delays.size()) {
                clock.next_frame(delays[++frame]);
            } else if (clock.play_over(now)) {
                frame = 0;
                clock.next_frame(delays[0]);
            }
        }
    }
    return clock.finished() ? -1 : int(frame);
}

}

class AnimationClockTest : public QObject {
    Q_OBJECT

private slots:
    void frames_follow_the_clock_data()
    {
        QTest::addColumn<int>("plays");
        QTest::addColumn<std::vector<int>>("delays");
        QTest::addColumn<std::vector<int>>("looks");
        QTest::addColumn<int>("frame");
        QTest::newRow("first frame for its delay") << 0 << std::vector { 100, 200 } << std::vector { 99 } << 0;
        QTest::newRow("second at the first's end") << 0 << std::vector { 100, 200 } << std::vector { 100 } << 1;
        QTest::newRow("1 ms counts as 100") << 0 << std::vector { 1, 1 } << std::vector { 99, 100 } << 1;
        QTest::newRow("19 ms counts as 100") << 0 << std::vector { 19, 1 } << std::vector { 99 } << 0;
        QTest::newRow("20 ms is 20") << 0 << std::vector { 20, 20 } << std::vector { 20 } << 1;
        QTest::newRow("held by a door, on from the clock")
            << 0 << std::vector { 100, 100, 100 } << std::vector { 50, 1250 } << 0; // 1250 in a play of 300: 50
        QTest::newRow("held across plays, mid-play") << 0 << std::vector { 100, 200 } << std::vector { 10, 2000, 3150 }
                                                     << 1; // 3150 in a play of 300: 150
        QTest::newRow("second play") << 2 << std::vector { 100, 100 } << std::vector { 250 } << 0;
        QTest::newRow("ends on the last frame") << 2 << std::vector { 100, 100 } << std::vector { 400 } << -1;
        QTest::newRow("ends however late looked at") << 3 << std::vector { 100, 100 } << std::vector { 10, 99'999 } << -1;
        QTest::newRow("for ever") << 0 << std::vector { 100, 100 } << std::vector { 10, 99'999'950 } << 1;
    }
    void frames_follow_the_clock()
    {
        QFETCH(int, plays);
        QFETCH(std::vector<int>, delays);
        QFETCH(std::vector<int>, looks);
        QFETCH(int, frame);
        QCOMPARE(frame_after(plays, delays, looks), frame);
    }
};

QTEST_MAIN(AnimationClockTest)
#include "tst_animation_clock.moc"
