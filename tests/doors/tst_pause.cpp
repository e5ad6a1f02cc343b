// A frame of a movement lasts its units of 100 ns from the moment it began, drawing included.
#include "FakePauseClock.h"

#include <QTest>

using namespace std::chrono_literals;

class PauseTest : public QObject {
    Q_OBJECT

private slots:
    void frame_takes_its_drawing_out_of_the_pause_data();
    void frame_takes_its_drawing_out_of_the_pause();
    void pause_is_real_time();
};

void PauseTest::frame_takes_its_drawing_out_of_the_pause_data()
{
    // Per frame: its speed in units, how long its drawing took (ns), and when it was drawn
    // and ended (us).
    QTest::addColumn<QList<int>>("units");
    QTest::addColumn<QList<int>>("drawing_ns");
    QTest::addColumn<int>("overshoot_ns");
    QTest::addColumn<Sequence>("expected");
    QTest::newRow("quick drawing shortens the pause") << QList { 1000, 1000, 1000 } << QList { 30000, 0, 99900 }
        << 0 << Sequence { "drawn at 30, ends at 100", "drawn at 100, ends at 200", "drawn at 299.9, ends at 300" };
    QTest::newRow("a late frame is followed at once, and not made up for")
        << QList { 1000, 1000, 1000 } << QList { 30000, 250000, 30000 }
        << 0 << Sequence { "drawn at 30, ends at 100", "drawn at 350, ends at 350", "drawn at 380, ends at 450" };
    QTest::newRow("a pause noticed late does not push the frames after it")
        << QList { 1000, 1000, 1000 } << QList { 0, 0, 0 } << 500
        << Sequence { "drawn at 0, ends at 100.5", "drawn at 100.5, ends at 200.5", "drawn at 200.5, ends at 300.5" };
}

void PauseTest::frame_takes_its_drawing_out_of_the_pause()
{
    QFETCH(QList<int>, units);
    QFETCH(QList<int>, drawing_ns);
    QFETCH(int, overshoot_ns);
    QFETCH(Sequence, expected);
    FakePauseClock clock;
    clock.overshoot = std::chrono::nanoseconds(overshoot_ns);
    platform::FramePacer frames;
    for (qsizetype i = 0; i < units.size(); ++i) {
        clock.advance(std::chrono::nanoseconds(drawing_ns[i]));
        frames.end_frame(units[i]);
    }
    COMPARE_SEQUENCE(expected, clock.frames, QTest::currentDataTag());
}

void PauseTest::pause_is_real_time()
{
    // An empty loop that the optimiser removes would be no delay at all.
    for (std::int32_t units : { 1, 1000, 30000 }) {
        const auto start = std::chrono::steady_clock::now();
        platform::FramePacer frames;
        frames.end_frame(units);
        QVERIFY2(std::chrono::steady_clock::now() - start >= units * 100ns, qPrintable(QString::number(units)));
    }
}

QTEST_GUILESS_MAIN(PauseTest)
#include "tst_pause.moc"
