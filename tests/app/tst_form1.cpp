// The main window: its design, the start-up sequence, the popup menu and the end.
#include "Fakes.h"
#include "NoWindowLeft.h"
#include "ProgramState.h"

#include "app/Common.h"
#include "app/Form1.h"
#include "dialogs/frmSet.h"
#include "dialogs/frmShowVersion.h"
#include "platform/forms/Forms.h"

#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>

using namespace platform;

namespace {

// "name L T W H", then whatever else of its design the kind of control has.
template <class C>
std::string design_row(const C& c)
{
    QString row = QString("%1 %2 %3 %4 %5").arg(c.display_name().c_str()).arg(c.left()).arg(c.top())
                      .arg(c.width()).arg(c.height());
    row += c.visible() ? "" : " hidden";
    if constexpr (requires { c.back_color(); })
        row += QString(" on %1").arg(c.back_color(), 0, 16);
    if constexpr (requires { c.picture(); })
        row += QString(" picture %1x%2").arg(c.picture().width_px()).arg(c.picture().height_px());
    if constexpr (requires { c.border_color(); })
        row += QString(" lines %1 fill %2").arg(c.border_color(), 0, 16).arg(c.fill_color(), 0, 16);
    if constexpr (requires { c.pattern(); })
        row += QString(" of %1").arg(c.pattern().c_str());
    return row.toStdString();
}

// "front middle shown as front middle, mode ABC" with a 1 for each chosen middle-door mode.
std::string speeds_and_mode(const frmSet& panel)
{
    return QString("%1 %2 shown as %3 %4, mode %5%6%7").arg(panel.HScroll1.value()).arg(panel.HScroll2.value())
        .arg(panel.lblMaeSpeed.caption().c_str()).arg(panel.lblNakaSpeed.caption().c_str())
        .arg(panel.Option1(0).value()).arg(panel.Option1(1).value()).arg(panel.Option1(2).value()).toStdString();
}

// "L T, shown|hidden[, topmost]" of a window.
std::string placement(const Form& form)
{
    return QString("%1 %2, %3%4").arg(form.left()).arg(form.top()).arg(form.visible() ? "shown" : "hidden")
        .arg(form.surface().windowFlags().testFlag(Qt::WindowStaysOnTopHint) ? ", topmost" : "").toStdString();
}

// The items of the popup menu open now, which is then closed; nothing when none is open.
Sequence open_menu_rows()
{
    Sequence rows;
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
        for (const QAction* action : menu->actions())
            rows.push_back(action->isSeparator() ? "---" : action->text().toStdString() + (action->isChecked() ? " [x]" : ""));
        menu->close();
    }
    return rows;
}

}

class Form1Test : public QObject {
    Q_OBJECT

private slots:
    void init() { reset_program_state(); }
    void cleanup() { VERIFY_NO_WINDOW_LEFT(); }

    void every_control_stands_at_its_design_place();
    void start_up_shows_the_panel_topmost_below_the_window();
    void only_the_right_button_opens_the_signboard_menu();
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
    const Sequence seen {
        QString("client %1 x %2 picture %3x%4").arg(bus.scale_width()).arg(bus.scale_height())
            .arg(bus.picture().width_px()).arg(bus.picture().height_px()).toStdString(),
        design_row(bus.picSlideBase1),   design_row(bus.Image2),       design_row(bus.PicKanban),
        design_row(bus.File1),           design_row(bus.Picture1),     design_row(bus.ImgDesiMaku),
        design_row(bus.imgNakaorido(0)), design_row(bus.imgNakaorido(1)),
        bus.Image1.contains(0) ? "Image1(0) exists" : "no Image1(0)", // the front door array starts at 1
        design_row(bus.Image1(1)),       design_row(bus.Image1(2)),
        design_row(bus.shpK_Waku(0)),    design_row(bus.shpK_Waku(1)), design_row(bus.shpK_Waku(2)),
    };
    const Sequence expected {
        "client 9960 x 3180 picture 665x212",
        "picSlideBase1 6525 915 1140 2115 hidden on 80000005 picture 76x142",
        "Image2 105 -90 1140 2115 picture 76x141",
        "PicKanban 7425 1665 1410 450 on ffffff picture 0x0",
        "File1 3585 2895 1395 270 hidden of *.bmp;*.wmf;*.emf;*.gif;*.jpg;*.jpeg",
        "Picture1 3180 555 780 480 on ffffff picture 0x0",
        "ImgDesiMaku 0 0 780 480 picture 52x32",
        "imgNakaorido(0) 4260 705 780 2235 picture 54x149", "imgNakaorido(1) 5040 705 780 2235 picture 52x149",
        "no Image1(0)",
        "Image1(1) 1590 1020 630 2055 hidden picture 42x137", "Image1(2) 300 705 1095 2220 picture 73x148",
        // A first start resets the signboard, which fits the posts to it.
        "shpK_Waku(0) 7350 1665 75 465 lines 808080 fill e0e0e0",
        "shpK_Waku(1) 8835 1665 75 465 lines 808080 fill e0e0e0",
        "shpK_Waku(2) 7350 2115 1560 60 lines 808080 fill e0e0e0",
    };
    COMPARE_SEQUENCE(expected, seen, "main window design");
}

void Form1Test::start_up_shows_the_panel_topmost_below_the_window()
{
    Form1& bus = window<Form1>();
    const frmSet& panel = window<frmSet>();
    const Sequence seen { bus.caption(), "bus " + placement(bus), "panel " + placement(panel), speeds_and_mode(panel) };
    const Sequence expected {
        "ポルカ号　-　tst_form1", // the executable's name
        "bus 0 0, hidden", // shown by the program after its load handler
        QString("panel 0 %1, shown, topmost").arg(bus.height()).toStdString(),
        "10000 6000 shown as 10000 6000, mode 100",
    };
    COMPARE_SEQUENCE(expected, seen, "after the load handler");
}

void Form1Test::only_the_right_button_opens_the_signboard_menu()
{
    Form1& bus = window<Form1>();
    bus.Show();
    const auto menu_after = [&bus](Qt::MouseButton button) {
        Sequence rows { "timer did not run" };
        bool looked = false;
        QTimer::singleShot(50, [&] { rows = open_menu_rows(); looked = true; });
        QTest::mouseClick(&bus.surface(), button, {}, QPoint(600, 30));
        QTest::qWaitFor([&looked] { return looked; }); // a loaded machine may run the timer late
        return rows;
    };
    const Sequence menu { "看板の表示 [x]", "枠の表示 [x]", "看板の画像を設定...", "---", "看板のリセット" };
    COMPARE_SEQUENCE(menu, menu_after(Qt::RightButton), "right button on the bare bus");
    COMPARE_SEQUENCE(NothingHappened, menu_after(Qt::LeftButton), "left button on the bare bus");
}

void Form1Test::version_dialog_opens_modally_and_goes_away()
{
    Sequence seen;
    QTimer::singleShot(0, [&seen] {
        frmShowVersion& dialog = window<frmShowVersion>();
        const bool modal = QApplication::activeModalWidget() == &dialog.surface();
        seen.push_back(QString("%1 %2 x %3, %4").arg(dialog.caption().c_str()).arg(dialog.scale_width())
                           .arg(dialog.scale_height()).arg(modal ? "modal" : "not modal").toStdString());
        dialog.surface().close();
    });
    window<Form1>().MnuHelpVer_Click();
    seen.push_back(window_exists<frmShowVersion>() ? "still there" : "gone");
    const Sequence expected { "ポルカ号のバージョン情報 4995 x 3345, modal", "gone" };
    COMPARE_SEQUENCE(expected, seen, "version dialog");
}

void Form1Test::closing_the_main_window_ends_everything()
{
    Form1& bus = window<Form1>();
    bus.Show();
    bus.surface().close();
    QVERIFY(!bus.visible());
    QVERIFY(!window_exists<frmSet>() || !window<frmSet>().visible());
}

void Form1Test::a_closed_panel_comes_back_with_design_values()
{
    window<Form1>();
    window<frmSet>().surface().close();
    const frmSet& fresh = window<frmSet>(); // not the closed one, nor loaded like it
    QCOMPARE((fresh.visible() ? "shown, " : "hidden, ") + speeds_and_mode(fresh),
             std::string("hidden, 6000 10000 shown as 0 0, mode 100"));
}

QTEST_MAIN(Form1Test)
#include "tst_form1.moc"
