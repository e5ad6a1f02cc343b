// The controls' behaviour that the program's handlers rely on.
#include "NoWindowLeft.h"
#include "Sequence.h"

#include "platform/forms/Forms.h"
#include "platform/forms/controls/CheckBox.h"
#include "platform/forms/controls/HScrollBar.h"
#include "platform/forms/controls/PictureBox.h"

#include <QApplication>
#include <QPixmap>
#include <QMouseEvent>
#include <QScrollBar>
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
        box.on_dbl_click = [this] { log.push_back("DblClick"); };
        box.on_key_down = [this](std::int16_t key, std::int16_t shift) {
            log.push_back("KeyDown " + std::to_string(key) + " " + std::to_string(shift));
        };
        finish_design();
    }

    Sequence log;
    HScrollBar speed { *this, "speed",
        { .rect { 0, 0, 1500, 240 }, .min = 1, .max = 30000, .large_change = 1000, .value = 6000 } };
    CheckBox door { *this, "door", { .rect { 0, 300, 735, 510 } } };
    PictureBox box { *this, "box", { .rect { 0, 900, 780, 480 }, .back_color = vbWhite } };
};

}

class ControlsTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { VERIFY_NO_WINDOW_LEFT(); }

    void scroll_bar_and_check_box_raise_events_only_on_real_changes();
    void a_second_press_is_a_double_click_not_a_mouse_down();
    void key_codes_name_the_key_not_the_character_data();
    void key_codes_name_the_key_not_the_character();
    void clear_pixels_show_the_back_colour();
};

void ControlsTest::scroll_bar_and_check_box_raise_events_only_on_real_changes()
{
    Bench& bench = window<Bench>();
    auto& bar = static_cast<QScrollBar&>(bench.speed.widget());
    bench.speed.set_value(6000); // the value it has: nothing
    bench.speed.set_value(6001);
    bar.triggerAction(QAbstractSlider::SliderSingleStepAdd); // the arrow
    QTest::keyClick(&bar, Qt::Key_PageUp);                   // the large change
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
    COMPARE_SEQUENCE(expected, bench.log, "scroll bar: program sets, arrow, Page Up, drag; check box: clicks, sets");
}

void ControlsTest::a_second_press_is_a_double_click_not_a_mouse_down()
{
    // Some window systems deliver the second press of a double click as a press of its own
    // before the double click: it must not start a second drag of the signboard.
    QWidget& box = window<Bench>().box.widget();
    unsigned long time = 100000;
    for (const auto type : { QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonPress,
                             QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease }) {
        const bool held = type != QEvent::MouseButtonRelease;
        QMouseEvent event(type, QPointF(10, 10), QPointF(10, 10), Qt::LeftButton,
                          held ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        event.setTimestamp(time += 20);
        QApplication::sendEvent(&box, &event);
    }
    COMPARE_SEQUENCE((Sequence { "MouseDown", "DblClick" }), window<Bench>().log, "a double click");
}

void ControlsTest::key_codes_name_the_key_not_the_character_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("place"); // the xkb key code a real keyboard reports; 0 for a synthetic key
    QTest::addColumn<QString>("handled");
    const int shift = Qt::ShiftModifier;
    const int pad = Qt::KeypadModifier;
    QTest::newRow("Down steps the sign") << int(Qt::Key_Down) << 0 << 116 << "KeyDown 40 0";
    QTest::newRow("Shift+9 is the 9 key") << int(Qt::Key_ParenLeft) << shift << 18 << "KeyDown 57 1";
    QTest::newRow("a synthetic ( has no key") << int(Qt::Key_ParenLeft) << shift << 0 << "KeyDown 0 1";
    QTest::newRow("small letter is its capital") << int(Qt::Key_Q) << 0 << 24 << "KeyDown 81 0";
    QTest::newRow("keypad 7") << int(Qt::Key_7) << pad << 79 << "KeyDown 103 0";
    QTest::newRow("keypad Up, Num Lock off") << int(Qt::Key_Up) << pad << 80 << "KeyDown 38 0";
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


// A picture's clear pixels show the box's own colour, not what the box showed before.
void ControlsTest::clear_pixels_show_the_back_colour()
{
    Bench& bench = window<Bench>();
    const auto picture = [](QImage::Format format, Qt::GlobalColor colour) {
        QImage image(52, 32, format);
        image.fill(colour);
        return Picture(std::make_shared<const QPixmap>(QPixmap::fromImage(image)));
    };
    bench.box.set_picture(picture(QImage::Format_RGB32, Qt::black));
    bench.box.widget().grab();
    bench.box.set_picture(picture(QImage::Format_ARGB32, Qt::transparent));
    QCOMPARE(bench.box.widget().grab().toImage().pixel(10, 10), qRgb(255, 255, 255));
}

QTEST_MAIN(ControlsTest)
#include "tst_controls.moc"
