// The doors' movements, recorded as the window system saw them: each move of a door
// picture, each repaint and each pause, and the sound before the middle door moves.
#include "FakePauseClock.h"
#include "Fakes.h"
#include "NoWindowLeft.h"

#include "app/Common.h"
#include "app/Form1.h"
#include "dialogs/frmSet.h"
#include "platform/forms/Forms.h"

#include <QMouseEvent>
#include <QTest>
#include <algorithm>

using namespace platform;

namespace {

constexpr std::int16_t Speed = 3;

bool is_frame_row(const std::string& row) { return row.rfind("pause", 0) == 0; }
long frames(const Sequence& rows) { return std::count_if(rows.begin(), rows.end(), is_frame_row); }

Sequence repaints(const Sequence& rows)
{
    Sequence found;
    std::copy_if(rows.begin(), rows.end(), std::back_inserter(found), [](auto& r) { return r.rfind("Form1 repaint", 0) == 0; });
    return found;
}

// The row given and the `after` rows that follow it.
Sequence around(const Sequence& rows, const std::string& row, std::size_t after)
{
    const auto at = std::find(rows.begin(), rows.end(), row);
    return Sequence(at, at + std::min<std::ptrdiff_t>(after + 1, rows.end() - at));
}

Sequence head(const Sequence& rows, std::size_t n) { return Sequence(rows.begin(), rows.begin() + std::min(n, rows.size())); }
Sequence tail(const Sequence& rows, std::size_t n)
{
    return Sequence(rows.end() - std::min(n, rows.size()), rows.end());
}

// The rows of one movement, the start-up's rows left out.
class Movement {
public:
    Movement()
    {
        Form1& bus = window<Form1>();
        bus.Show();
        QVERIFY(QTest::qWaitForWindowExposed(&bus.surface())); // nothing left to paint from before
        frmSet& panel = window<frmSet>();
        panel.HScroll1.set_value(Speed);
        panel.HScroll2.set_value(Speed);
    }
    Sequence run(const std::function<void()>& action)
    {
        TraceRecorder recorder;
        action();
        return recorder.rows;
    }
};

}

class DoorsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_sound.played = 0; }
    void cleanup() { VERIFY_NO_WINDOW_LEFT(); }

    void front_door_opens_frame_by_frame();
    void front_door_closes_from_the_open_width();
    void front_door_opening_from_odd_widths_data();
    void front_door_opening_from_odd_widths();
    void middle_door_opens_in_mode_both_after_the_sound();
    void middle_door_left_and_right_modes_move_one_leaf();
    void middle_door_without_a_mode_moves_the_right_leaf();
    void middle_door_closing_starts_at_the_open_width();
    void middle_door_opening_at_or_below_the_open_width();
    void speed_is_read_at_every_step();
    void speed_change_does_not_move_a_door();
    void a_click_during_a_movement_waits_for_its_end();
    void frames_last_their_speed_whatever_the_drawing_data();
    void frames_last_their_speed_whatever_the_drawing();

private:
    RecordingSoundSink m_sound;
};

void DoorsTest::front_door_opens_frame_by_frame()
{
    Movement movement;
    const Sequence rows = movement.run([] { window<frmSet>().Check1.press(); });
    const Sequence first {
        "pause 3", // width 1095, as it was: nothing to move
        "Image1(2) move 300 705 1094 2220", "pause 3", // less than a pixel: nothing to repaint
        "Image1(2) move 300 705 1093 2220", "pause 3",
    };
    const Sequence last { "Image1(2) move 300 705 71 2220", "pause 3", "Image1(2) move 300 705 70 2220", "pause 3" };
    // The first frame whose right edge moves a pixel is on the screen before its pause.
    const Sequence first_pixel { "Image1(2) move 300 705 1087 2220", "Form1 repaint 20 47 73 148", "pause 3" };
    COMPARE_SEQUENCE(first, head(rows, first.size()), "front door opening, first frames");
    COMPARE_SEQUENCE(last, tail(rows, last.size()), "front door opening, last frames");
    COMPARE_SEQUENCE(first_pixel, around(rows, first_pixel[0], 2), "front door opening, first pixel");
    const Sequence painted = repaints(rows);
    const Sequence painted_ends { "Form1 repaint 20 47 73 148", "Form1 repaint 20 47 72 148", "Form1 repaint 20 47 71 148",
                                  "Form1 repaint 20 47 7 148", "Form1 repaint 20 47 6 148" };
    Sequence ends = head(painted, 3);
    for (const auto& row : tail(painted, 2))
        ends.push_back(row);
    COMPARE_SEQUENCE(painted_ends, ends, "front door opening, repaints");
    QCOMPARE(painted.size(), std::size_t(73 - 5)); // one for each pixel of width
    QCOMPARE(frames(rows), 1026);
    QCOMPARE(window<Form1>().Image1(2).width(), 70.f);
    QCOMPARE(m_sound.played, 0); // the front door is silent
}

void DoorsTest::front_door_closes_from_the_open_width()
{
    Movement movement;
    window<frmSet>().Check1.press();
    const Sequence rows = movement.run([] { window<frmSet>().Check1.press(); });
    const Sequence first { "pause 3", "Image1(2) move 300 705 71 2220", "pause 3" };
    const Sequence last { "Image1(2) move 300 705 1095 2220", "pause 3" };
    COMPARE_SEQUENCE(first, head(rows, first.size()), "front door closing, first frames");
    COMPARE_SEQUENCE(last, tail(rows, last.size()), "front door closing, last frames");
    QCOMPARE(frames(rows), 1026);
    QCOMPARE(repaints(rows).size(), std::size_t(68));
    QCOMPARE(m_sound.played, 0);
}

void DoorsTest::front_door_opening_from_odd_widths_data()
{
    QTest::addColumn<float>("start");
    QTest::addColumn<int>("expected_frames");
    QTest::addColumn<float>("end");
    QTest::newRow("exactly open") << 70.f << 1 << 70.f;
    QTest::newRow("below open: nothing") << 50.f << 0 << 50.f;
    QTest::newRow("a fraction rounds to the nearest twip") << 80.6f << 12 << 70.f;
    QTest::newRow("wider than closed") << 1200.f << 1131 << 70.f;
}

void DoorsTest::front_door_opening_from_odd_widths()
{
    QFETCH(float, start);
    QFETCH(int, expected_frames);
    QFETCH(float, end);
    Movement movement;
    window<Form1>().Image1(2).set_width(start);
    const Sequence rows = movement.run([] { window<frmSet>().Check1.set_value(1); });
    QCOMPARE(frames(rows), expected_frames);
    QCOMPARE(window<Form1>().Image1(2).width(), end);
}

void DoorsTest::middle_door_opens_in_mode_both_after_the_sound()
{
    Movement movement;
    const Sequence rows = movement.run([] { window<frmSet>().Check2.press(); });
    const Sequence first {
        "sound 17684 bytes", // played to its end before the first frame
        "pause 3",           // width 780: the leaves as they were
        "imgNakaorido(0) move 4260 705 779 2235", "imgNakaorido(1) move 5040 705 779 2235",
        "imgNakaorido(1) move 5041 705 779 2235", "pause 3",
    };
    const Sequence last {
        "imgNakaorido(0) move 4260 705 110 2235", "imgNakaorido(1) move 5709 705 110 2235",
        "imgNakaorido(1) move 5710 705 110 2235", "pause 3",
    };
    // Both leaves move a pixel in the same frame; one repaint covers the doorway.
    const Sequence first_pixel { "imgNakaorido(0) move 4260 705 772 2235", "imgNakaorido(1) move 5047 705 772 2235",
                                 "imgNakaorido(1) move 5048 705 772 2235", "Form1 repaint 284 47 104 149", "pause 3" };
    COMPARE_SEQUENCE(first_pixel, around(rows, first_pixel[0], 4), "middle door opening, first pixel");
    QCOMPARE(repaints(rows).size(), std::size_t(52 - 7));
    COMPARE_SEQUENCE(first, head(rows, first.size()), "middle door opening, both leaves");
    COMPARE_SEQUENCE(last, tail(rows, last.size()), "middle door opening, last frame");
    QCOMPARE(frames(rows), 671);
    Form1& bus = window<Form1>();
    QCOMPARE(bus.imgNakaorido(0).left(), 4260.f);
    QCOMPARE(bus.imgNakaorido(1).left() + bus.imgNakaorido(1).width(), 5820.f);
    QCOMPARE(Common::SoundBuffer.size(), std::size_t(17684));
}

void DoorsTest::middle_door_left_and_right_modes_move_one_leaf()
{
    Movement movement;
    frmSet& panel = window<frmSet>();
    Form1& bus = window<Form1>();
    panel.Option1(1).set_value(true);
    const Sequence left = movement.run([&] { panel.Check2.press(); });
    QVERIFY(std::none_of(left.begin(), left.end(), [](auto& r) { return r.rfind("imgNakaorido(1)", 0) == 0; }));
    QCOMPARE(bus.imgNakaorido(0).width(), 110.f);
    QCOMPARE(bus.imgNakaorido(1).width(), 780.f);
    movement.run([&] { panel.Check2.press(); });
    panel.Option1(2).set_value(true);
    const Sequence right = movement.run([&] { panel.Check2.press(); });
    QVERIFY(std::none_of(right.begin(), right.end(), [](auto& r) { return r.rfind("imgNakaorido(0)", 0) == 0; }));
    const Sequence last { "imgNakaorido(1) move 5709 705 110 2235", "imgNakaorido(1) move 5710 705 110 2235", "pause 3" };
    COMPARE_SEQUENCE(last, tail(right, last.size()), "right leaf alone");
    QCOMPARE(bus.imgNakaorido(0).width(), 780.f);
    QCOMPARE(frames(left), 671);
    QCOMPARE(frames(right), 671);
}

void DoorsTest::middle_door_without_a_mode_moves_the_right_leaf()
{
    Movement movement;
    frmSet& panel = window<frmSet>();
    panel.Option1(0).set_value(false); // no element selected
    movement.run([&] { panel.Check2.press(); });
    QCOMPARE(window<Form1>().imgNakaorido(0).width(), 780.f);
    QCOMPARE(window<Form1>().imgNakaorido(1).width(), 110.f);
}

void DoorsTest::middle_door_closing_starts_at_the_open_width()
{
    Movement movement;
    frmSet& panel = window<frmSet>();
    panel.Check2.press();
    const Sequence rows = movement.run([&] { panel.Check2.press(); });
    QCOMPARE(rows.at(0), std::string("sound 17684 bytes"));
    QCOMPARE(rows.at(1), std::string("pause 3")); // width 110 first, as it already was
    QCOMPARE(frames(rows), 671);
    QCOMPARE(window<Form1>().imgNakaorido(1).left(), 5040.f);
    QCOMPARE(m_sound.played, 2); // once for each movement

    // Closing a door that is already closed jumps to the open width first.
    const Sequence again = movement.run([] { window<Form1>().Check2_Click(); });
    const Sequence jump { "sound 17684 bytes", "imgNakaorido(0) move 4260 705 110 2235",
                          "imgNakaorido(1) move 5040 705 110 2235", "imgNakaorido(1) move 5710 705 110 2235",
                          "Form1 repaint 284 47 104 149", "pause 3", "imgNakaorido(0) move 4260 705 111 2235" };
    COMPARE_SEQUENCE(jump, head(again, jump.size()), "closing a closed door");
    QCOMPARE(frames(again), 671);
}

void DoorsTest::middle_door_opening_at_or_below_the_open_width()
{
    Movement movement;
    Form1& bus = window<Form1>();
    bus.imgNakaorido(0).set_width(110);
    const Sequence at = movement.run([] { window<frmSet>().Check2.set_value(1); });
    QCOMPARE(frames(at), 1);
    window<frmSet>().Check2.set_value(0);
    bus.imgNakaorido(0).set_width(100);
    bus.imgNakaorido(1).set_width(100);
    const Sequence below = movement.run([] { window<frmSet>().Check2.set_value(1); });
    COMPARE_SEQUENCE(Sequence { "sound 17684 bytes" }, below, "opening below the open width: the sound alone");
}

void DoorsTest::speed_is_read_at_every_step()
{
    Movement movement;
    frmSet& panel = window<frmSet>();
    Sequence pauses;
    // Each move of the door changes the speed: the next pause must follow it.
    class SpeedChanger : public TraceRecorder {
    public:
        explicit SpeedChanger(frmSet& panel) : m_panel(panel) { }
        void record(const std::string& row) override
        {
            if (row.find(" move ") != std::string::npos && m_panel.HScroll1.value() < 10)
                m_panel.HScroll1.set_value(static_cast<std::int16_t>(m_panel.HScroll1.value() + 1));
            if (row.rfind("pause", 0) == 0 && rows.size() < 4)
                rows.push_back(row);
        }
        frmSet& m_panel;
    } changer(panel);
    panel.Check1.press();
    COMPARE_SEQUENCE((Sequence { "pause 3", "pause 4", "pause 5", "pause 6" }), changer.rows, "speed changed during a movement");
}

void DoorsTest::speed_change_does_not_move_a_door()
{
    Movement movement;
    frmSet& panel = window<frmSet>();
    const Sequence rows = movement.run([&] { panel.HScroll2.set_value(20000); });
    COMPARE_SEQUENCE(NothingHappened, rows, "a new middle door speed");
    QCOMPARE(panel.lblNakaSpeed.caption(), std::string("20000"));
}

void DoorsTest::a_click_during_a_movement_waits_for_its_end()
{
    Movement movement;
    frmSet& panel = window<frmSet>();
    // The user clicks the switch again while the door is still opening: the click waits in
    // the queue, and the door closes only once it has opened all the way.
    class ClickOnFirstFrame : public TraceRecorder {
    public:
        explicit ClickOnFirstFrame(QWidget& target) : m_target(target) { }
        void record(const std::string& row) override
        {
            TraceRecorder::record(row);
            if (!is_frame_row(row) || m_clicked)
                return;
            m_clicked = true;
            const QPointF centre = QRectF(m_target.rect()).center();
            for (QEvent::Type type : { QEvent::MouseButtonPress, QEvent::MouseButtonRelease })
                QCoreApplication::postEvent(&m_target,
                    new QMouseEvent(type, centre, m_target.mapToGlobal(centre), Qt::LeftButton,
                        type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier));
        }

    private:
        QWidget& m_target;
        bool m_clicked { false };
    } recorder(panel.Check1.widget());
    panel.Show();
    panel.Check1.press();
    QCOMPARE(frames(recorder.rows), 1026);
    QCOMPARE(window<Form1>().Image1(2).width(), 70.f);
    QCOMPARE(panel.Check1.value(), 1);

    QCoreApplication::processEvents();
    QCOMPARE(panel.Check1.value(), 0);
    QCOMPARE(frames(recorder.rows), 2 * 1026);
    QCOMPARE(window<Form1>().Image1(2).width(), 1095.f);
}

// Time passes in a movement only as the test says: each frame's drawing takes the time
// given for it, the sound 0.8 s.
class TimedDrawing : public platform::trace::Recorder {
public:
    TimedDrawing(FakePauseClock& clock, QList<int> drawing_us) : m_clock(clock), m_drawing_us(std::move(drawing_us)) { }
    void record(const std::string& row) override
    {
        if (row.rfind("sound", 0) == 0)
            m_clock.advance(std::chrono::milliseconds(800));
        if (is_frame_row(row) && !m_drawing_us.isEmpty())
            m_clock.advance(std::chrono::microseconds(m_drawing_us.takeFirst()));
    }

private:
    FakePauseClock& m_clock;
    QList<int> m_drawing_us;
    const platform::Override<platform::trace::Recorder> m_in_place { *this };
};

void DoorsTest::frames_last_their_speed_whatever_the_drawing_data()
{
    // The front door opens from 73 twips (4 frames) at 100 us a frame, the middle door from
    // 112 (3 frames) at 200 us a frame; times in us.
    QTest::addColumn<bool>("front");
    QTest::addColumn<QList<int>>("drawing_us");
    QTest::addColumn<Sequence>("expected");
    QTest::newRow("front: the drawing comes out of the pause") << true << QList { 30, 30, 30, 30 }
        << Sequence { "drawn at 30, ends at 100", "drawn at 130, ends at 200", "drawn at 230, ends at 300",
                      "drawn at 330, ends at 400" };
    QTest::newRow("front: a late frame is followed at once") << true << QList { 30, 250, 30, 30 }
        << Sequence { "drawn at 30, ends at 100", "drawn at 350, ends at 350", "drawn at 380, ends at 450",
                      "drawn at 480, ends at 550" };
    QTest::newRow("middle: the first frame begins after the sound") << false << QList { 30, 30, 30 }
        << Sequence { "drawn at 800030, ends at 800200", "drawn at 800230, ends at 800400",
                      "drawn at 800430, ends at 800600" };
    QTest::newRow("middle: a late frame is followed at once") << false << QList { 300, 30, 30 }
        << Sequence { "drawn at 800300, ends at 800300", "drawn at 800330, ends at 800500",
                      "drawn at 800530, ends at 800700" };
}

void DoorsTest::frames_last_their_speed_whatever_the_drawing()
{
    QFETCH(bool, front);
    QFETCH(QList<int>, drawing_us);
    QFETCH(Sequence, expected);
    Movement movement;
    frmSet& panel = window<frmSet>();
    panel.HScroll1.set_value(front ? 1000 : 1);
    panel.HScroll2.set_value(front ? 1 : 2000);
    window<Form1>().Image1(2).set_width(73);
    window<Form1>().imgNakaorido(0).set_width(112);
    FakePauseClock clock;
    TimedDrawing drawing(clock, drawing_us);
    (front ? panel.Check1 : panel.Check2).set_value(1);
    COMPARE_SEQUENCE(expected, clock.frames, QTest::currentDataTag());
}

QTEST_MAIN(DoorsTest)
#include "tst_doors.moc"
