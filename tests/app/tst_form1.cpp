// The main window: the start-up sequence, the popup menu, the version dialog and the end.
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

    void start_up_shows_the_panel_topmost_below_the_window();
    void only_the_right_button_opens_the_signboard_menu();
    void version_dialog_opens_modally_and_goes_away();
    void closing_the_main_window_ends_everything();

private:
    RecordingMessageBoxes m_boxes;
    RecordingSoundSink m_sound;
};

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

// The dialog itself is tst_version's; here, that the menu opens it modally.
void Form1Test::version_dialog_opens_modally_and_goes_away()
{
    bool modal = false;
    QTimer::singleShot(0, [&modal] {
        modal = QApplication::activeModalWidget() == &window<frmShowVersion>().surface();
        window<frmShowVersion>().surface().close();
    });
    window<Form1>().MnuHelpVer_Click();
    QVERIFY(modal && !window_exists<frmShowVersion>());
}

void Form1Test::closing_the_main_window_ends_everything()
{
    Form1& bus = window<Form1>();
    bus.Show();
    bus.surface().close();
    QVERIFY(!bus.visible());
    QVERIFY(!window_exists<frmSet>() || !window<frmSet>().visible());
}

QTEST_MAIN(Form1Test)
#include "tst_form1.moc"
