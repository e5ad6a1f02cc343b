// The doors' movements, recorded as the window system saw them: each move of a door
// picture, each repaint and each pause, and the sound before the middle door moves.
#include "FakePauseClock.h"
#include "Fakes.h"
#include "NoWindowLeft.h"

#include "app/Form1.h"
#include "dialogs/frmSet.h"
#include "platform/forms/Forms.h"

#include <QMouseEvent>
#include <QTest>
#include <algorithm>

using namespace platform;

namespace {

long count(const Sequence& rows, const char* start)
{
    return std::count_if(rows.begin(), rows.end(), [start](auto& r) { return r.rfind(start, 0) == 0; });
}

// The first `n` rows, the last `n` rows, and the `n` rows from the first equal to `first`.
Sequence head(const Sequence& rows, std::size_t n) { return Sequence(rows.begin(), rows.begin() + std::min(n, rows.size())); }
Sequence tail(const Sequence& rows, std::size_t n) { return Sequence(rows.end() - std::min(n, rows.size()), rows.end()); }
Sequence from(const Sequence& rows, const std::string& first, std::size_t n)
{
    return head(Sequence(std::find(rows.begin(), rows.end(), first), rows.end()), n);
}

// Where the door pictures stand: "front <width>, leaves <left>+<width> <left>+<width>".
std::string doors_state()
{
    const Form1& bus = window<Form1>();
    const auto leaf = [&bus](int i) {
        return QString("%1+%2").arg(bus.imgNakaorido(i).left()).arg(bus.imgNakaorido(i).width());
    };
    return QString("front %1, leaves %2 %3").arg(bus.Image1(2).width()).arg(leaf(0), leaf(1)).toStdString();
}

// Runs the steps of a script ("front", "middle": a press on the door's switch; "click": the
// middle door's handler with its switch off; "left", "right": the middle door's mode;
// "front=W", "leaf0=W", "leaves=W": door widths).
void run_steps(const QString& script)
{
    Form1& bus = window<Form1>();
    frmSet& panel = window<frmSet>();
    for (const QString& step : script.split(' ', Qt::SkipEmptyParts)) {
        const float width = step.section('=', 1).toFloat();
        if (step == "front" || step == "middle")
            (step == "front" ? panel.Check1 : panel.Check2).press();
        else if (step == "click")
            bus.Check2_Click();
        else if (step == "left" || step == "right")
            panel.Option1(step == "left" ? 1 : 2).set_value(true);
        else if (step.startsWith("front="))
            bus.Image1(2).set_width(width);
        else
            for (int leaf = 0; leaf < (step.startsWith("leaves=") ? 2 : 1); ++leaf)
                bus.imgNakaorido(leaf).set_width(width);
    }
}

void show_bus()
{
    Form1& bus = window<Form1>();
    bus.Show();
    QVERIFY(QTest::qWaitForWindowExposed(&bus.surface())); // nothing left to paint from before
    // Each door at its own speed, so that a pause shows whose speed it follows.
    window<frmSet>().HScroll1.set_value(3);
    window<frmSet>().HScroll2.set_value(4);
}

}

class DoorsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { show_bus(); }
    void cleanup() { VERIFY_NO_WINDOW_LEFT(); }

    void movements_data();
    void movements();
    void a_click_during_a_movement_waits_for_its_end();
    void middle_door_frames_begin_after_its_sound();

private:
    RecordingSoundSink m_sound;
};

void DoorsTest::movements_data()
{
    // Rows recorded by the last step of the script: their first and last ones, a run of rows
    // from its first, the frames (pauses), repaints and sounds, then where the doors stand.
    QTest::addColumn<QString>("script");
    QTest::addColumn<Sequence>("first");
    QTest::addColumn<Sequence>("last");
    QTest::addColumn<Sequence>("run");
    QTest::addColumn<QList<int>>("frames_repaints_sounds"); // -1: not counted
    QTest::addColumn<QString>("state");
    const QString closed = ", leaves 4260+780 5040+780";
    QTest::newRow("front opens: nothing to move, then less than a pixel, nothing to repaint")
        << "front"
        << Sequence { "pause 3", "Image1(2) move 300 705 1094 2220", "pause 3", "Image1(2) move 300 705 1093 2220", "pause 3" }
        << Sequence { "Image1(2) move 300 705 71 2220", "pause 3", "Image1(2) move 300 705 70 2220", "pause 3" }
        // The first frame whose right edge moves a pixel is on the screen before its pause.
        << Sequence { "Image1(2) move 300 705 1087 2220", "Form1 repaint 20 47 73 148", "pause 3" }
        << QList { 1026, 73 - 5, 0 } << "front 70" + closed;
    QTest::newRow("front closes from the open width") << "front front"
        << Sequence { "pause 3", "Image1(2) move 300 705 71 2220", "pause 3" }
        << Sequence { "Image1(2) move 300 705 1095 2220", "pause 3" } << Sequence {}
        << QList { 1026, 68, 0 } << "front 1095" + closed;
    QTest::newRow("front, a fraction rounds to the nearest twip") << "front=80.6 front" << Sequence {} << Sequence {}
        << Sequence {} << QList { 12, -1, 0 } << "front 70" + closed;
    QTest::newRow("front wider than closed") << "front=1200 front" << Sequence {} << Sequence {} << Sequence {}
        << QList { 1131, -1, 0 } << "front 70" + closed;
    QTest::newRow("middle opens in mode both after its sound") << "middle"
        << Sequence { "sound 17684 bytes", "pause 4", // the leaves as they were
                      "imgNakaorido(0) move 4260 705 779 2235", "imgNakaorido(1) move 5040 705 779 2235",
                      "imgNakaorido(1) move 5041 705 779 2235", "pause 4" }
        << Sequence { "imgNakaorido(0) move 4260 705 110 2235", "imgNakaorido(1) move 5709 705 110 2235",
                      "imgNakaorido(1) move 5710 705 110 2235", "pause 4" }
        // Both leaves move a pixel in the same frame; one repaint covers the doorway.
        << Sequence { "imgNakaorido(0) move 4260 705 772 2235", "imgNakaorido(1) move 5047 705 772 2235",
                      "imgNakaorido(1) move 5048 705 772 2235", "Form1 repaint 284 47 104 149", "pause 4" }
        << QList { 671, 52 - 7, 1 } << "front 1095, leaves 4260+110 5710+110";
    QTest::newRow("middle, left mode") << "left middle" << Sequence {} << Sequence {} << Sequence {}
        << QList { 671, -1, 1 } << "front 1095, leaves 4260+110 5040+780";
    QTest::newRow("middle, right mode") << "right middle" << Sequence {}
        << Sequence { "imgNakaorido(1) move 5709 705 110 2235", "imgNakaorido(1) move 5710 705 110 2235", "pause 4" }
        << Sequence {} << QList { 671, -1, 1 } << "front 1095, leaves 4260+780 5710+110";
    QTest::newRow("closing a closed middle door jumps to the open width first") << "click"
        << Sequence { "sound 17684 bytes", "imgNakaorido(0) move 4260 705 110 2235", "imgNakaorido(1) move 5040 705 110 2235",
                      "imgNakaorido(1) move 5710 705 110 2235", "Form1 repaint 284 47 104 149", "pause 4",
                      "imgNakaorido(0) move 4260 705 111 2235" }
        << Sequence {} << Sequence {} << QList { 671, -1, 1 } << "front 1095" + closed;
    QTest::newRow("middle at the open width") << "leaf0=110 middle" << Sequence {} << Sequence {} << Sequence {}
        << QList { 1, -1, 1 } << "front 1095, leaves 4260+110 5710+110"; // both leaves at the open width
    QTest::newRow("middle below the open width: the sound alone") << "leaves=100 middle"
        << Sequence { "sound 17684 bytes" } << Sequence { "sound 17684 bytes" } << Sequence {}
        << QList { 0, 0, 1 } << "front 1095, leaves 4260+100 5040+100";
}

void DoorsTest::movements()
{
    QFETCH(QString, script);
    QFETCH(Sequence, first);
    QFETCH(Sequence, last);
    QFETCH(Sequence, run);
    QFETCH(QList<int>, frames_repaints_sounds);
    QFETCH(QString, state);
    run_steps(script.section(' ', 0, -2));
    Sequence rows;
    {
        TraceRecorder recorder;
        run_steps(script.section(' ', -1));
        rows = recorder.rows;
    }
    COMPARE_SEQUENCE(first, head(rows, first.size()), "first rows");
    COMPARE_SEQUENCE(last, tail(rows, last.size()), "last rows");
    if (!run.empty())
        COMPARE_SEQUENCE(run, from(rows, run[0], run.size()), "a run of rows");
    const QList<int> counted { int(count(rows, "pause")), int(count(rows, "Form1 repaint")), int(count(rows, "sound")) };
    for (int i = 0; i < 3; ++i)
        QCOMPARE(frames_repaints_sounds[i] < 0 ? -1 : counted[i], frames_repaints_sounds[i]);
    QCOMPARE(QString::fromStdString(doors_state()), state);
}

void DoorsTest::a_click_during_a_movement_waits_for_its_end()
{
    // A click that comes while the door opens waits in the queue: the door closes only once
    // it has opened all the way.
    frmSet& panel = window<frmSet>();
    panel.Show();
    QWidget& box = panel.Check1.widget();
    const QPointF centre = QRectF(box.rect()).center();
    for (QEvent::Type type : { QEvent::MouseButtonPress, QEvent::MouseButtonRelease })
        QCoreApplication::postEvent(&box, new QMouseEvent(type, centre, box.mapToGlobal(centre), Qt::LeftButton,
                                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier));
    panel.Check1.press();
    QCOMPARE(window<Form1>().Image1(2).width(), 70.f);
    QCoreApplication::processEvents();
    QCOMPARE(window<Form1>().Image1(2).width(), 1095.f);
}

// How a frame's drawing comes out of its pause is tst_pause's; here, that the middle door's
// frames are timed from the end of its sound (0.8 s on a clock that stands still otherwise).
// It opens from 112 twips: 3 frames of 200 us.
void DoorsTest::middle_door_frames_begin_after_its_sound()
{
    class SlowSound : public StandIn<trace::Recorder> {
    public:
        explicit SlowSound(FakePauseClock& clock) : m_clock(clock) { }
        void record(const std::string& row) override
        {
            if (row.rfind("sound", 0) == 0)
                m_clock.advance(std::chrono::milliseconds(800));
        }

    private:
        FakePauseClock& m_clock;
    };
    FakePauseClock clock;
    SlowSound sound(clock);
    window<frmSet>().HScroll2.set_value(2000);
    window<Form1>().imgNakaorido(0).set_width(112);
    window<frmSet>().Check2.set_value(1);
    const Sequence expected { "drawn at 800000, ends at 800200", "drawn at 800200, ends at 800400",
                              "drawn at 800400, ends at 800600" };
    COMPARE_SEQUENCE(expected, clock.frames, "times in us");
}

QTEST_MAIN(DoorsTest)
#include "tst_doors.moc"
