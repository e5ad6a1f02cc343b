// The main window: the start-up sequence, the popup menu and the version dialog.
#include "Fakes.h"
#include "NoWindowLeft.h"
#include "ProgramState.h"

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

// The first item of the popup menu open now, which is then closed; "none" when none is open.
QString open_menu_first_item()
{
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu)
        return "none";
    menu->close();
    return menu->actions().first()->text();
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
        QString first_item; // null until the timer has looked
        QTimer::singleShot(50, [&first_item] { first_item = open_menu_first_item(); });
        QTest::mouseClick(&bus.surface(), button, {}, QPoint(600, 30));
        const bool ran = QTest::qWaitFor([&first_item] { return !first_item.isNull(); }); // a loaded machine runs it late
        return ran ? first_item : QString("timer did not run");
    };
    QCOMPARE(menu_after(Qt::RightButton), QString("看板の表示")); // on the bare bus
    QCOMPARE(menu_after(Qt::LeftButton), QString("none"));
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

QTEST_MAIN(Form1Test)
#include "tst_form1.moc"
