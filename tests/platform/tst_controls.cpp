// The controls' behaviour that the program's handlers rely on.
#include "NoWindowLeft.h"
#include "Outcome.h"
#include "Sequence.h"

#include "platform/forms/Forms.h"
#include "platform/forms/controls/CheckBox.h"
#include "platform/forms/controls/CommandButton.h"
#include "platform/forms/controls/ControlArray.h"
#include "platform/forms/controls/Frame.h"
#include "platform/forms/controls/HScrollBar.h"
#include "platform/forms/controls/Image.h"
#include "platform/forms/controls/OptionButton.h"
#include "platform/forms/controls/PictureBox.h"
#include "platform/forms/controls/Shape.h"
#include "platform/picture/LoadPicture.h"
#include "platform/system/RuntimeError.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPixmap>
#include <QScrollBar>
#include <QTemporaryFile>
#include <QTest>

using namespace platform;

namespace {

class Bench : public Form {
public:
    Bench()
        : Form("Bench", "bench", BorderStyle::FixedSingle, 6000, 3000, vbWhite)
    {
        speed.on_change = [this] { log.push_back("Change " + std::to_string(speed.value())); };
        door.on_click = [this] { log.push_back("Click " + std::to_string(door.value())); };
        box.on_mouse_down = [this](auto, auto, auto, auto) { log.push_back("MouseDown"); };
        box.on_mouse_up = [this](auto, auto, auto, auto) { log.push_back("MouseUp"); };
        box.on_click = [this] { log.push_back("Click"); };
        box.on_dbl_click = [this] { log.push_back("DblClick"); };
        box.on_key_down = [this](std::int16_t key, std::int16_t shift) {
            log.push_back("KeyDown " + std::to_string(key) + " " + std::to_string(shift));
        };
        finish_design();
    }

    Sequence log;
    HScrollBar speed { *this, "speed",
        { .rect { 0, 0, 1500, 240 }, .tab_index = 0, .min = 1, .max = 30000, .large_change = 1000, .value = 6000 } };
    CheckBox door { *this, "door", { .rect { 0, 300, 735, 510 }, .tab_index = 1 } };
    PictureBox box { *this, "box", { .rect { 0, 900, 780, 480 }, .tab_index = 2, .back_color = vbWhite } };
    Frame frame { *this, "frame", { .rect { 1500, 0, 1500, 1500 }, .caption = "mode", .tab_index = 4 } };
    OptionButton both { frame, "both", { .rect { 60, 180, 700, 270 }, .caption = "both", .tab_index = 5, .value = true } };
    OptionButton left { frame, "left", { .rect { 60, 500, 700, 270 }, .caption = "left", .tab_index = 6 } };
    OptionButton elsewhere { *this, "elsewhere",
        { .rect { 3100, 0, 700, 270 }, .caption = "x", .tab_index = 7, .value = true } };
    // Two shapes overlapping each other and a button.
    Shape lower { *this, "lower", { .rect { 3000, 1500, 900, 900 }, .fill_color = RGB(255, 0, 0) } };
    Shape upper { *this, "upper", { .rect { 3450, 1950, 900, 900 }, .fill_color = RGB(0, 0, 255) } };
    CommandButton cover { *this, "cover", { .rect { 3900, 1500, 600, 600 }, .caption = "", .tab_index = 3 } };
};

// Mouse events on a widget: 'P' press, 'R' release, 'D' double click, 20 ms apart; a space
// is a pause longer than the double-click interval.
void play_mouse(QWidget& widget, const std::string& script)
{
    unsigned long time = 100000;
    for (char code : script) {
        time += code == ' ' ? 5000 : 20;
        const auto type = code == 'P' ? QEvent::MouseButtonPress : code == 'D' ? QEvent::MouseButtonDblClick
                                                                                : QEvent::MouseButtonRelease;
        QMouseEvent event(type, QPointF(10, 10), QPointF(10, 10), Qt::LeftButton,
                          code == 'R' ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        event.setTimestamp(time);
        if (code != ' ')
            QApplication::sendEvent(&widget, &event);
    }
}

// Which option buttons are on, in the order both, left, elsewhere: "B-E" is both and elsewhere.
std::string options_on(const Bench& bench)
{
    return { bench.both.value() ? 'B' : '-', bench.left.value() ? 'L' : '-', bench.elsewhere.value() ? 'E' : '-' };
}

}

class ControlsTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { VERIFY_NO_WINDOW_LEFT(); }

    void twips_round_at_both_edges_data();
    void twips_round_at_both_edges();
    void scroll_bar_and_check_box_raise_events_only_on_real_changes();
    void option_buttons_form_one_group_per_container_and_obey_their_frame();
    void picture_box_takes_double_clicks_and_keys();
    void key_codes_name_the_key_not_the_character_data();
    void key_codes_name_the_key_not_the_character();
    void a_focused_scroll_bar_answers_the_keys_data();
    void a_focused_scroll_bar_answers_the_keys();
    void shapes_are_painted_in_order_beneath_windowed_controls();
    void image_stretches_or_takes_the_picture_size();
    void bad_requests_fail_with_their_error_number();
};

void ControlsTest::twips_round_at_both_edges_data()
{
    QTest::addColumn<float>("left");
    QTest::addColumn<float>("width");
    QTest::addColumn<QRect>("pixels");
    // Each edge is rounded on its own, so a door leaf narrowed from the left keeps its right edge.
    QTest::newRow("front door closed") << 300.f << 1095.f << QRect(20, 47, 73, 148);
    QTest::newRow("front door open") << 300.f << 70.f << QRect(20, 47, 5, 148);
    QTest::newRow("half a pixel rounds up") << 7.5f << 7.5f << QRect(1, 47, 0, 148);
    QTest::newRow("just under half a pixel") << 7.f << 15.f << QRect(0, 47, 1, 148);
    QTest::newRow("right leaf open") << 5710.f << 110.f << QRect(381, 47, 7, 148);
}

void ControlsTest::twips_round_at_both_edges()
{
    QFETCH(float, left);
    QFETCH(float, width);
    QFETCH(QRect, pixels);
    // Moved there by the program from elsewhere, as the doors are.
    Image image(window<Bench>(), "probe", { .rect { 1000, 705, 500, 2220 }, .stretch = true });
    image.set_width(width);
    image.set_left(left);
    QCOMPARE(image.pixel_rect(), pixels);
}

void ControlsTest::scroll_bar_and_check_box_raise_events_only_on_real_changes()
{
    Bench& bench = window<Bench>();
    auto& bar = static_cast<QScrollBar&>(bench.speed.widget());
    bench.speed.set_value(6000); // the value it has: nothing
    bench.speed.set_value(6001);
    bar.triggerAction(QAbstractSlider::SliderSingleStepAdd); // the arrow
    bar.triggerAction(QAbstractSlider::SliderPageStepSub);   // the track
    bar.setSliderDown(true);                                 // dragging the thumb...
    bar.setSliderPosition(25000);
    bar.setSliderPosition(100);
    bar.setSliderDown(false); // ...and letting it go
    bar.setValue(100);        // the same value again
    // The check box's Click comes after its value has toggled.
    QTest::mouseClick(&bench.door.widget(), Qt::LeftButton);
    QTest::mouseClick(&bench.door.widget(), Qt::LeftButton);
    bench.door.set_value(1);
    bench.door.set_value(1); // unchanged: no Click
    bench.door.press();
    const Sequence expected { "Change 6001", "Change 6002", "Change 5002", "Change 100",
                              "Click 1",     "Click 0",     "Click 1",     "Click 0" };
    COMPARE_SEQUENCE(expected, bench.log, "scroll bar: program sets, arrow, track, drag; check box: clicks, sets");
}

void ControlsTest::option_buttons_form_one_group_per_container_and_obey_their_frame()
{
    Bench& bench = window<Bench>();
    bench.Show();
    Sequence states { options_on(bench) };
    bench.frame.set_enabled(false);
    QTest::mouseClick(&bench.left.widget(), Qt::LeftButton);
    states.push_back(options_on(bench));
    bench.frame.set_enabled(true);
    QTest::mouseClick(&bench.left.widget(), Qt::LeftButton);
    states.push_back(options_on(bench));
    bench.both.set_value(true);
    states.push_back(options_on(bench));
    // "elsewhere" lies in another container, so in another group: it stays on throughout.
    const Sequence expected { "B-E", "B-E", "-LE", "B-E" };
    COMPARE_SEQUENCE(expected, states, "design, click in a switched-off frame, click, program sets");
}

void ControlsTest::picture_box_takes_double_clicks_and_keys()
{
    Bench& bench = window<Bench>();
    // A double click with the second press some window systems deliver and a third press
    // soon after, which starts afresh; a double click without that second press; a single
    // click. The second press is a DblClick, never a second MouseDown.
    play_mouse(bench.box.widget(), "PRPDRPR PRDR PR");
    QTest::keyClick(&bench.box.widget(), Qt::Key_Up);
    QTest::keyClick(&bench.box.widget(), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(&bench.box.widget(), Qt::Key_A);
    // The Shift key is a key of its own, pressed before the arrow it modifies.
    const Sequence expected { "MouseDown", "MouseUp", "Click", "DblClick", "MouseUp", // with the second press
                              "MouseDown", "MouseUp", "Click",                        // the third press
                              "MouseDown", "MouseUp", "Click", "DblClick", "MouseUp", // without the second press
                              "MouseDown", "MouseUp", "Click",
                              "KeyDown 38 0", "KeyDown 16 0", "KeyDown 40 1", "KeyDown 65 0" };
    COMPARE_SEQUENCE(expected, bench.log, "double clicks, a single click, keys");
}

void ControlsTest::key_codes_name_the_key_not_the_character_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("place"); // the xkb key code a real keyboard reports; 0 for a synthetic key
    QTest::addColumn<QString>("handled");
    const int shift = Qt::ShiftModifier;
    const int pad = Qt::KeypadModifier;
    QTest::newRow("Shift+9 is the 9 key") << int(Qt::Key_ParenLeft) << shift << 18 << "KeyDown 57 1";
    QTest::newRow("Shift+7 is the 7 key") << int(Qt::Key_Ampersand) << shift << 16 << "KeyDown 55 1";
    QTest::newRow("Shift+0 is the 0 key") << int(Qt::Key_ParenRight) << shift << 19 << "KeyDown 48 1";
    QTest::newRow("a synthetic ( has no key") << int(Qt::Key_ParenLeft) << shift << 0 << "KeyDown 0 1";
    QTest::newRow("a synthetic & has no key") << int(Qt::Key_Ampersand) << shift << 0 << "KeyDown 0 1";
    QTest::newRow("' is not Right") << int(Qt::Key_Apostrophe) << 0 << 48 << "KeyDown 222 0";
    QTest::newRow("% is not Left") << int(Qt::Key_Percent) << shift << 14 << "KeyDown 53 1";
    QTest::newRow("small letter is its capital") << int(Qt::Key_Q) << 0 << 24 << "KeyDown 81 0";
    QTest::newRow("Shift+letter") << int(Qt::Key_Q) << shift << 24 << "KeyDown 81 1";
    QTest::newRow("digit") << int(Qt::Key_4) << 0 << 13 << "KeyDown 52 0";
    QTest::newRow("comma key") << int(Qt::Key_Comma) << 0 << 59 << "KeyDown 188 0";
    QTest::newRow("Shift+comma key") << int(Qt::Key_Less) << shift << 59 << "KeyDown 188 1";
    QTest::newRow("F5") << int(Qt::Key_F5) << 0 << 71 << "KeyDown 116 0";
    QTest::newRow("Home") << int(Qt::Key_Home) << 0 << 110 << "KeyDown 36 0";
    QTest::newRow("Delete") << int(Qt::Key_Delete) << 0 << 119 << "KeyDown 46 0";
    QTest::newRow("Escape") << int(Qt::Key_Escape) << 0 << 9 << "KeyDown 27 0";
    QTest::newRow("keypad 7") << int(Qt::Key_7) << pad << 79 << "KeyDown 103 0";
    QTest::newRow("keypad *") << int(Qt::Key_Asterisk) << pad << 63 << "KeyDown 106 0";
    QTest::newRow("keypad Up, Num Lock off") << int(Qt::Key_Up) << pad << 80 << "KeyDown 38 0";
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << pad << 104 << "KeyDown 13 0";
    QTest::newRow("a key without a code") << int(Qt::Key_VolumeUp) << 0 << 123 << "KeyDown 0 0";
}

void ControlsTest::key_codes_name_the_key_not_the_character()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, place);
    QFETCH(QString, handled);
    Bench& bench = window<Bench>();
    QKeyEvent press(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), quint32(place), 0, 0);
    QApplication::sendEvent(&bench.box.widget(), &press);
    COMPARE_SEQUENCE(Sequence { handled.toStdString() }, bench.log, "one key");
}

void ControlsTest::a_focused_scroll_bar_answers_the_keys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("value"); // from 6000, small change 1, large change 1000, range 1..30000
    QTest::newRow("Right") << int(Qt::Key_Right) << 6001;
    QTest::newRow("Down") << int(Qt::Key_Down) << 6001;
    QTest::newRow("Left") << int(Qt::Key_Left) << 5999;
    QTest::newRow("Up") << int(Qt::Key_Up) << 5999;
    QTest::newRow("Page Down") << int(Qt::Key_PageDown) << 7000;
    QTest::newRow("Page Up") << int(Qt::Key_PageUp) << 5000;
    QTest::newRow("Home") << int(Qt::Key_Home) << 1;
    QTest::newRow("End") << int(Qt::Key_End) << 30000;
}

void ControlsTest::a_focused_scroll_bar_answers_the_keys()
{
    QFETCH(int, key);
    QFETCH(int, value);
    Bench& bench = window<Bench>();
    bench.Show();
    QVERIFY(QTest::qWaitForWindowActive(&bench.surface()));
    bench.door.SetFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab); // the bar comes before the switch
    QCOMPARE(QApplication::focusWidget(), &bench.speed.widget());
    QTest::keyClick(&bench.speed.widget(), Qt::Key(key));
    QTest::keyClick(&bench.speed.widget(), Qt::Key_A); // not a key of the bar
    COMPARE_SEQUENCE(Sequence { "Change " + std::to_string(value) }, bench.log, "one key on the bar");
}

void ControlsTest::shapes_are_painted_in_order_beneath_windowed_controls()
{
    Bench& bench = window<Bench>();
    bench.Show();
    const QImage screen = bench.surface().grab().toImage();
    QCOMPARE(screen.pixelColor(205, 105), QColor(Qt::red));  // the lower shape alone
    QCOMPARE(screen.pixelColor(240, 140), QColor(Qt::blue)); // the upper shape over the lower one
    const QColor button = screen.pixelColor(265, 110);       // the button over the lower shape
    QVERIFY(button != QColor(Qt::red) && button != QColor(Qt::blue));
    QCOMPARE(screen.pixelColor(100, 190), QColor(Qt::white)); // bare background
}

void ControlsTest::image_stretches_or_takes_the_picture_size()
{
    Bench& bench = window<Bench>();
    const Picture sign = LoadAssetPicture("sign_blank.bmp"); // 52 by 32 pixels
    Image stretched(bench, "stretched", { .rect { 0, 0, 300, 300 }, .stretch = true });
    Image natural(bench, "natural", { .rect { 0, 0, 300, 300 } });
    stretched.set_picture(sign);
    natural.set_picture(sign);
    QCOMPARE(stretched.pixel_rect(), QRect(0, 0, 20, 20));
    QCOMPARE(natural.pixel_rect(), QRect(0, 0, 52, 32));
}

void ControlsTest::bad_requests_fail_with_their_error_number()
{
    Bench& bench = window<Bench>();
    QTemporaryFile junk;
    QVERIFY(junk.open() && junk.write("no picture here") > 0 && junk.flush());
    ControlArray<Shape> lamps; // lacking element 0
    lamps.add(1, bench, "lamp", Shape::Design {});
    const Sequence outcomes {
        outcome([&] { bench.speed.set_value(0); }),      outcome([&] { bench.speed.set_value(30001); }),
        outcome([&] { bench.speed.set_value(-1); }),     outcome([&] { lamps(0); }),
        outcome([] { LoadPicture("/no/such/sign.bmp"); }), outcome([&] { LoadPicture(junk.fileName().toStdString()); }),
    };
    const Sequence expected { "error 380", "error 380", "error 380", "error 340", "error 53", "error 481" };
    COMPARE_SEQUENCE(expected, outcomes, "speeds below and above the range, missing array element, pictures");
    QCOMPARE(lamps(1).display_name(), std::string("lamp(1)"));
    QVERIFY(LoadPicture("").empty()); // no picture, not a failure
    QCOMPARE(bench.speed.value(), 6000);
    COMPARE_SEQUENCE(NothingHappened, bench.log, "rejected speeds");
}

QTEST_MAIN(ControlsTest)
#include "tst_controls.moc"
