// The main window: its design, the start-up sequence, the popup menu and the end.
#include "Fakes.h"
#include "ProgramState.h"

#include "app/Common.h"
#include "app/Form1.h"
#include "dialogs/frmSet.h"
#include "dialogs/frmShowVersion.h"
#include "platform/Forms.h"

#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>

using namespace platform;

namespace {

struct Placed {
    const char* name;
    const Control& (*control)(Form1&);
    TwipsRect rect;
    bool visible;
};

const Placed Form1Design[] = {
    { "picSlideBase1", [](Form1& f) -> const Control& { return f.picSlideBase1; }, { 6525, 915, 1140, 2115 }, false },
    { "Image2", [](Form1& f) -> const Control& { return f.Image2; }, { 105, -90, 1140, 2115 }, true },
    { "PicKanban", [](Form1& f) -> const Control& { return f.PicKanban; }, { 7425, 1665, 1410, 450 }, true },
    { "File1", [](Form1& f) -> const Control& { return f.File1; }, { 3585, 2895, 1395, 270 }, false },
    { "Picture1", [](Form1& f) -> const Control& { return f.Picture1; }, { 3180, 555, 780, 480 }, true },
    { "ImgDesiMaku", [](Form1& f) -> const Control& { return f.ImgDesiMaku; }, { 0, 0, 780, 480 }, true },
    { "imgNakaorido(0)", [](Form1& f) -> const Control& { return f.imgNakaorido(0); }, { 4260, 705, 780, 2235 }, true },
    { "imgNakaorido(1)", [](Form1& f) -> const Control& { return f.imgNakaorido(1); }, { 5040, 705, 780, 2235 }, true },
    { "Image1(2)", [](Form1& f) -> const Control& { return f.Image1(2); }, { 300, 705, 1095, 2220 }, true },
    { "Image1(1)", [](Form1& f) -> const Control& { return f.Image1(1); }, { 1590, 1020, 630, 2055 }, false },
    { "shpK_Waku(0)", [](Form1& f) -> const Control& { return f.shpK_Waku(0); }, { 7350, 1650, 75, 495 }, true },
    { "shpK_Waku(1)", [](Form1& f) -> const Control& { return f.shpK_Waku(1); }, { 8835, 1650, 75, 495 }, true },
    { "shpK_Waku(2)", [](Form1& f) -> const Control& { return f.shpK_Waku(2); }, { 7350, 2115, 1560, 60 }, true },
};

Sequence open_menu_rows()
{
    Sequence rows;
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu)
        return { "no menu" };
    for (const QAction* action : menu->actions())
        rows.push_back(action->isSeparator() ? "---" : action->text().toStdString() + (action->isChecked() ? " [x]" : ""));
    menu->close();
    return rows;
}

}

class Form1Test : public QObject {
    Q_OBJECT

private slots:
    void init() { reset_program_state(); }
    void cleanup() { destroy_all_forms(); }

    void every_control_stands_at_its_design_place();
    void built_in_pictures_have_their_sizes();
    void start_up_shows_the_panel_topmost_below_the_window();
    void start_up_sets_the_default_speeds_and_mode();
    void caption_ends_with_the_executable_name();
    void right_button_opens_the_signboard_menu();
    void left_button_on_the_bus_does_nothing();
    void version_dialog_opens_modally_and_goes_away();
    void closing_the_main_window_ends_everything();
    void a_closed_panel_comes_back_with_design_values();

private:
    RecordingMessageBoxes m_boxes;
    RecordingSoundSink m_sound;
};

void Form1Test::every_control_stands_at_its_design_place()
{
    Form1& bus = window<Form1>();
    for (const Placed& row : Form1Design) {
        const Control& control = row.control(bus);
        QCOMPARE(control.display_name(), std::string(row.name));
        const TwipsRect place { control.left(), control.top(), control.width(), control.height() };
        QVERIFY2(place.left == row.rect.left && place.top == row.rect.top && place.width == row.rect.width
                     && place.height == row.rect.height,
                 row.name);
        QVERIFY2(control.visible() == row.visible, row.name);
    }
    QVERIFY(!bus.Image1.contains(0)); // the front door array has no element 0
    QCOMPARE(bus.scale_width(), 9960.f);
    QCOMPARE(bus.scale_height(), 3180.f);
    QCOMPARE(bus.shpK_Waku(2).border_color(), OLE_COLOR(0x808080));
    QCOMPARE(bus.shpK_Waku(2).fill_color(), OLE_COLOR(0xE0E0E0));
    QCOMPARE(bus.Picture1.back_color(), vbWhite);
    QCOMPARE(bus.PicKanban.back_color(), vbWhite);
    QCOMPARE(bus.File1.pattern(), std::string("*.bmp;*.wmf;*.emf;*.gif;*.jpg;*.jpeg"));
}

void Form1Test::built_in_pictures_have_their_sizes()
{
    Form1& bus = window<Form1>();
    QCOMPARE(bus.picture().width_px(), 665);
    QCOMPARE(bus.picture().height_px(), 212);
    QCOMPARE(bus.ImgDesiMaku.picture().width_px(), 52);
    QCOMPARE(bus.ImgDesiMaku.picture().height_px(), 32);
    QCOMPARE(bus.Image1(2).picture().width_px(), 73);
    QCOMPARE(bus.imgNakaorido(0).picture().width_px(), 54);
    QCOMPARE(bus.imgNakaorido(1).picture().width_px(), 52);
    QCOMPARE(bus.picSlideBase1.picture().height_px(), 142);
    QCOMPARE(bus.Image2.picture().height_px(), 141);
}

void Form1Test::start_up_shows_the_panel_topmost_below_the_window()
{
    Form1& bus = window<Form1>();
    QVERIFY(window_exists<frmSet>());
    frmSet& panel = window<frmSet>();
    QVERIFY(panel.visible());
    QVERIFY(!bus.visible()); // shown by the program after its load handler
    QVERIFY(panel.surface().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(!bus.surface().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(bus.left(), 0.f);
    QCOMPARE(bus.top(), 0.f);
    QCOMPARE(panel.left(), 0.f);
    QCOMPARE(panel.top(), bus.height());
    QCOMPARE(panel.caption(), std::string("設定パネル"));
    QCOMPARE(panel.scale_width(), 3945.f);
    QCOMPARE(panel.scale_height(), 2565.f);
}

void Form1Test::start_up_sets_the_default_speeds_and_mode()
{
    window<Form1>();
    frmSet& panel = window<frmSet>();
    QCOMPARE(panel.HScroll1.value(), 10000);
    QCOMPARE(panel.HScroll2.value(), 6000);
    QCOMPARE(panel.lblMaeSpeed.caption(), std::string("10000"));
    QCOMPARE(panel.lblNakaSpeed.caption(), std::string("6000"));
    QVERIFY(panel.Option1(0).value());
    QVERIFY(!panel.Option1(1).value() && !panel.Option1(2).value());
}

void Form1Test::caption_ends_with_the_executable_name()
{
    QCOMPARE(window<Form1>().caption(), std::string("ポルカ号　-　tst_form1"));
}

void Form1Test::right_button_opens_the_signboard_menu()
{
    Form1& bus = window<Form1>();
    bus.Show();
    Sequence rows;
    QTimer::singleShot(50, [&rows] { rows = open_menu_rows(); });
    QTest::mouseClick(&bus.surface(), Qt::RightButton, {}, QPoint(600, 30));
    const Sequence expected { "看板の表示 [x]", "枠の表示 [x]", "看板の画像を設定...", "---", "看板のリセット" };
    COMPARE_SEQUENCE(expected, rows, "right button on the bare bus");
}

void Form1Test::left_button_on_the_bus_does_nothing()
{
    Form1& bus = window<Form1>();
    bus.Show();
    Sequence rows { "timer did not run" };
    QTimer::singleShot(50, [&rows] { rows = QApplication::activePopupWidget() ? open_menu_rows() : Sequence {}; });
    QTest::mouseClick(&bus.surface(), Qt::LeftButton, {}, QPoint(600, 30));
    QTest::qWait(100);
    COMPARE_SEQUENCE(NothingHappened, rows, "left button on the bare bus");
}

void Form1Test::version_dialog_opens_modally_and_goes_away()
{
    Sequence seen;
    QTimer::singleShot(0, [&seen] {
        frmShowVersion& dialog = window<frmShowVersion>();
        seen.push_back(dialog.caption());
        seen.push_back(std::to_string(int(dialog.scale_width())) + " x " + std::to_string(int(dialog.scale_height())));
        seen.push_back(QApplication::activeModalWidget() == &dialog.surface() ? "modal" : "not modal");
        dialog.surface().close();
    });
    window<Form1>().MnuHelpVer_Click();
    seen.push_back(window_exists<frmShowVersion>() ? "still there" : "gone");
    const Sequence expected { "ポルカ号のバージョン情報", "4995 x 3345", "modal", "gone" };
    COMPARE_SEQUENCE(expected, seen, "version dialog");
}

void Form1Test::closing_the_main_window_ends_everything()
{
    Form1& bus = window<Form1>();
    bus.Show();
    bus.surface().close();
    QVERIFY(!bus.visible());
    QVERIFY(!window<frmSet>().visible());
}

void Form1Test::a_closed_panel_comes_back_with_design_values()
{
    window<Form1>();
    window<frmSet>().surface().close();
    QVERIFY(!window_exists<frmSet>());
    frmSet& fresh = window<frmSet>();
    QVERIFY(!fresh.visible());
    QCOMPARE(fresh.HScroll1.value(), 6000);
    QCOMPARE(fresh.HScroll2.value(), 10000);
    QCOMPARE(fresh.lblMaeSpeed.caption(), std::string("0"));
    QCOMPARE(fresh.lblNakaSpeed.caption(), std::string("0"));
}

QTEST_MAIN(Form1Test)
#include "tst_form1.moc"
