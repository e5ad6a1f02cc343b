// The controls' behaviour that the program's handlers rely on.
#include "Sequence.h"

#include "platform/CheckBox.h"
#include "platform/CommandButton.h"
#include "platform/Form.h"
#include "platform/Forms.h"
#include "platform/Frame.h"
#include "platform/HScrollBar.h"
#include "platform/Image.h"
#include "platform/LoadPicture.h"
#include "platform/OptionButton.h"
#include "platform/PictureBox.h"
#include "platform/RuntimeError.h"
#include "platform/Shape.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPixmap>
#include <QScrollBar>
#include <QTest>

using namespace platform;

namespace {

constexpr OLE_COLOR Red = RGB(255, 0, 0);
constexpr OLE_COLOR Blue = RGB(0, 0, 255);

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
    HScrollBar speed { *this, "speed", { .rect { 0, 0, 1500, 240 }, .min = 1, .max = 30000, .value = 6000 } };
    CheckBox door { *this, "door", { .rect { 0, 300, 735, 510 } } };
    PictureBox box { *this, "box", { .rect { 0, 900, 780, 480 }, .back_color = vbWhite } };
    Frame frame { *this, "frame", { .rect { 1500, 0, 1500, 1500 }, .caption = "mode" } };
    OptionButton both { frame, "both", { .rect { 60, 180, 700, 270 }, .caption = "both", .value = true } };
    OptionButton left { frame, "left", { .rect { 60, 500, 700, 270 }, .caption = "left" } };
    OptionButton elsewhere { *this, "elsewhere", { .rect { 3100, 0, 700, 270 }, .caption = "x", .value = true } };
    // Two shapes overlapping each other and a button.
    Shape lower { *this, "lower", { .rect { 3000, 1500, 900, 900 }, .border_color = Red, .fill_color = Red } };
    Shape upper { *this, "upper", { .rect { 3450, 1950, 900, 900 }, .border_color = Blue, .fill_color = Blue } };
    CommandButton cover { *this, "cover", { .rect { 3900, 1500, 600, 600 }, .caption = "" } };
};

void send_mouse(QWidget& widget, QEvent::Type type, unsigned long time)
{
    QMouseEvent event(type, QPointF(10, 10), QPointF(10, 10), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    event.setTimestamp(time);
    QApplication::sendEvent(&widget, &event);
}

QColor pixel(const Form& form, int x, int y) { return form.surface().grab().toImage().pixelColor(x, y); }

}

class ControlsTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { destroy_all_forms(); }

    void twips_round_at_both_edges_data();
    void twips_round_at_both_edges();
    void right_leaf_keeps_its_right_edge();
    void scroll_bar_changes_only_on_a_real_change();
    void scroll_bar_rejects_values_out_of_range();
    void check_box_clicks_after_toggling();
    void option_buttons_form_one_group_per_container();
    void switched_off_frame_makes_its_controls_inoperable();
    void double_click_is_not_a_second_press_data();
    void double_click_is_not_a_second_press();
    void picture_box_passes_arrow_keys();
    void shapes_are_painted_in_order_beneath_windowed_controls();
    void image_stretches_or_takes_the_picture_size();
    void loading_a_missing_file_or_no_picture_fails();
};

void ControlsTest::twips_round_at_both_edges_data()
{
    QTest::addColumn<float>("left");
    QTest::addColumn<float>("width");
    QTest::addColumn<QRect>("pixels");
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
    const Image image(window<Bench>(), "probe", { .rect { left, 705, width, 2220 }, .stretch = true });
    QCOMPARE(image.pixel_rect(), pixels);
}

void ControlsTest::right_leaf_keeps_its_right_edge()
{
    Image leaf(window<Bench>(), "leaf", { .rect { 5040, 705, 780, 2235 }, .stretch = true });
    for (int w = 780; w >= 110; --w) {
        leaf.set_width(static_cast<float>(w));
        leaf.set_left(static_cast<float>(5820 - w));
        QCOMPARE(leaf.pixel_rect().x() + leaf.pixel_rect().width(), 388);
    }
}

void ControlsTest::scroll_bar_changes_only_on_a_real_change()
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
    QCOMPARE(bench.speed.value(), 6001);
    bar.setSliderDown(false); // ...and letting it go
    bar.setValue(100);        // the same value again
    const Sequence expected { "Change 6001", "Change 6002", "Change 6001", "Change 100" };
    COMPARE_SEQUENCE(expected, bench.log, "program sets, arrow, track, drag");
}

void ControlsTest::scroll_bar_rejects_values_out_of_range()
{
    Bench& bench = window<Bench>();
    for (std::int16_t bad : { std::int16_t(0), std::int16_t(30001), std::int16_t(-1) }) {
        try {
            bench.speed.set_value(bad);
            QFAIL("a value out of range was taken");
        } catch (const RuntimeError& error) {
            QCOMPARE(error.number(), err::InvalidPropertyValue);
        }
    }
    QCOMPARE(bench.speed.value(), 6000);
    COMPARE_SEQUENCE(NothingHappened, bench.log, "rejected values");
}

void ControlsTest::check_box_clicks_after_toggling()
{
    Bench& bench = window<Bench>();
    QTest::mouseClick(&bench.door.widget(), Qt::LeftButton);
    QTest::mouseClick(&bench.door.widget(), Qt::LeftButton);
    bench.door.set_value(1);
    bench.door.set_value(1); // unchanged: no Click
    bench.door.press();
    const Sequence expected { "Click 1", "Click 0", "Click 1", "Click 0" };
    COMPARE_SEQUENCE(expected, bench.log, "user clicks and program sets");
}

void ControlsTest::option_buttons_form_one_group_per_container()
{
    Bench& bench = window<Bench>();
    bench.left.press();
    QVERIFY(!bench.both.value());
    QVERIFY(bench.left.value());
    QVERIFY(bench.elsewhere.value()); // another container, another group
    bench.both.set_value(true);
    QVERIFY(bench.both.value());
    QVERIFY(!bench.left.value());
}

void ControlsTest::switched_off_frame_makes_its_controls_inoperable()
{
    Bench& bench = window<Bench>();
    bench.Show();
    bench.frame.set_enabled(false);
    QTest::mouseClick(&bench.left.widget(), Qt::LeftButton);
    QVERIFY(bench.both.value());
    QVERIFY(!bench.left.value());
    bench.frame.set_enabled(true);
    QTest::mouseClick(&bench.left.widget(), Qt::LeftButton);
    QVERIFY(bench.left.value());
}

void ControlsTest::double_click_is_not_a_second_press_data()
{
    using Events = QList<QEvent::Type>;
    QTest::addColumn<Events>("events");
    // With and without the second press that some window systems deliver.
    QTest::newRow("press release press double release")
        << Events { QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonPress,
                    QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease };
    QTest::newRow("press release double release")
        << Events { QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                    QEvent::MouseButtonRelease };
}

void ControlsTest::double_click_is_not_a_second_press()
{
    QFETCH(QList<QEvent::Type>, events);
    Bench& bench = window<Bench>();
    unsigned long time = 100000;
    for (QEvent::Type type : events)
        send_mouse(bench.box.widget(), type, time += 20);
    // A later single click, well after the double click.
    for (QEvent::Type type : { QEvent::MouseButtonPress, QEvent::MouseButtonRelease })
        send_mouse(bench.box.widget(), type, time += 5000);
    const Sequence expected { "MouseDown", "MouseUp", "Click", "DblClick", "MouseUp", "MouseDown", "MouseUp", "Click" };
    COMPARE_SEQUENCE(expected, bench.log, QTest::currentDataTag());
}

void ControlsTest::picture_box_passes_arrow_keys()
{
    Bench& bench = window<Bench>();
    QTest::keyClick(&bench.box.widget(), Qt::Key_Up);
    QTest::keyClick(&bench.box.widget(), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(&bench.box.widget(), Qt::Key_A);
    // The Shift key is a key of its own, pressed before the arrow it modifies.
    const Sequence expected { "KeyDown 38 0", "KeyDown 16 0", "KeyDown 40 1", "KeyDown 65 0" };
    COMPARE_SEQUENCE(expected, bench.log, "keys on the picture box");
}

void ControlsTest::shapes_are_painted_in_order_beneath_windowed_controls()
{
    Bench& bench = window<Bench>();
    bench.Show();
    QCOMPARE(pixel(bench, 205, 105), QColor(Qt::red));   // the lower shape alone
    QCOMPARE(pixel(bench, 240, 140), QColor(Qt::blue));  // the upper shape over the lower one
    QVERIFY(pixel(bench, 265, 110) != QColor(Qt::red));  // the button over the lower shape
    QVERIFY(pixel(bench, 265, 110) != QColor(Qt::blue));
    QCOMPARE(pixel(bench, 100, 190), QColor(Qt::white)); // bare background
}

void ControlsTest::image_stretches_or_takes_the_picture_size()
{
    Bench& bench = window<Bench>();
    const Picture sign = LoadAssetPicture("sign_blank.bmp");
    Image stretched(bench, "stretched", { .rect { 0, 0, 300, 300 }, .stretch = true });
    Image natural(bench, "natural", { .rect { 0, 0, 300, 300 } });
    stretched.set_picture(sign);
    natural.set_picture(sign);
    QCOMPARE(stretched.width(), 300.f);
    QCOMPARE(natural.width(), 52 * 15.f);
    QCOMPARE(natural.height(), 32 * 15.f);
}

void ControlsTest::loading_a_missing_file_or_no_picture_fails()
{
    QVERIFY(LoadPicture("").empty());
    const QString folder = QDir::tempPath();
    QFile text(folder + "/not-a-picture.bmp");
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("no picture here");
    text.close();
    const std::pair<std::string, int> failures[] = {
        { "/no/such/sign.bmp", err::FileNotFound },
        { text.fileName().toStdString(), err::InvalidPicture },
    };
    for (const auto& [path, number] : failures) {
        try {
            LoadPicture(path);
            QFAIL(path.c_str());
        } catch (const RuntimeError& error) {
            QCOMPARE(error.number(), number);
        }
    }
    text.remove();
}

QTEST_MAIN(ControlsTest)
#include "tst_controls.moc"
