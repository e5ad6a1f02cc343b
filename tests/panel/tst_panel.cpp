// The settings panel: its design, the keypad, the speed labels and the mode lock.
#include "Fakes.h"
#include "ProgramState.h"
#include "SignFolder.h"

#include "app/Common.h"
#include "app/Form1.h"
#include "dialogs/frmSet.h"
#include "platform/Forms.h"

#include <QTest>

using namespace platform;

namespace {

// Presses keypad keys by caption: "0".."9", "C", "設定".
void keys(frmSet& panel, std::initializer_list<const char*> captions)
{
    for (const char* caption : captions) {
        const std::string wanted = caption;
        std::int16_t index = wanted == "C" ? 10 : wanted == "設定" ? 11 : static_cast<std::int16_t>(std::stoi(wanted));
        QCOMPARE(panel.Command2(index).caption(), wanted);
        panel.Command2(index).press();
    }
}

struct Key {
    std::int16_t index;
    TwipsRect rect;
};

const Key KeypadDesign[] = {
    { 7, { 75, 600, 510, 390 } },   { 8, { 570, 600, 510, 390 } },   { 9, { 1065, 600, 510, 390 } },
    { 4, { 75, 990, 510, 390 } },   { 5, { 570, 990, 510, 390 } },   { 6, { 1065, 990, 510, 390 } },
    { 1, { 75, 1380, 510, 390 } },  { 2, { 570, 1380, 510, 390 } },  { 3, { 1065, 1380, 510, 390 } },
    { 0, { 75, 1770, 510, 390 } },  { 10, { 570, 1770, 510, 390 } }, { 11, { 1065, 1770, 510, 390 } },
};

}

class PanelTest : public QObject {
    Q_OBJECT

private slots:
    void init() { reset_program_state(); }
    void cleanup() { destroy_all_forms(); }

    void keypad_keys_stand_in_a_telephone_grid();
    void design_values_of_a_fresh_panel();
    void display_takes_six_digits_at_most();
    void clear_empties_the_display();
    void set_shows_the_sign_of_the_number_data();
    void set_shows_the_sign_of_the_number();
    void set_applies_the_path_rule_even_when_it_fails();
    void set_with_a_missing_folder_joins_the_old_list();
    void speed_labels_follow_only_real_changes();
    void middle_switch_locks_the_mode();

private:
    RecordingMessageBoxes m_boxes;
    RecordingSoundSink m_sound;
};

void PanelTest::keypad_keys_stand_in_a_telephone_grid()
{
    frmSet& panel = window<frmSet>();
    for (const Key& key : KeypadDesign) {
        const CommandButton& button = panel.Command2(key.index);
        QVERIFY2(button.left() == key.rect.left && button.top() == key.rect.top && button.width() == key.rect.width
                     && button.height() == key.rect.height,
                 button.caption().c_str());
        QCOMPARE(&button.container(), static_cast<Container*>(&panel.Frame1));
        QCOMPARE(button.tab_index(), std::int16_t(key.index + 1));
    }
    QCOMPARE(panel.Command2(10).caption(), std::string("C"));
    QCOMPARE(panel.Command2(11).caption(), std::string("設定"));
}

void PanelTest::design_values_of_a_fresh_panel()
{
    frmSet& panel = window<frmSet>();
    QCOMPARE(panel.caption(), std::string("設定パネル"));
    QCOMPARE(panel.back_color(), RGB(64, 64, 64));
    QCOMPARE(panel.Check1.value(), 0);
    QCOMPARE(panel.Check2.value(), 0);
    QCOMPARE(panel.HScroll1.value(), 6000);
    QCOMPARE(panel.HScroll2.value(), 10000);
    QCOMPARE(panel.HScroll1.min(), 1);
    QCOMPARE(panel.HScroll1.max(), 30000);
    QCOMPARE(panel.lblMaeSpeed.caption(), std::string("0"));
    QCOMPARE(panel.lblNakaSpeed.caption(), std::string("0"));
    QCOMPARE(panel.Label1.caption(), std::string());
    QCOMPARE(panel.Label1.font().name, std::string("ＭＳ ゴシック"));
    QCOMPARE(panel.Frame2.caption(), std::string("中扉動作"));
    QVERIFY(panel.Option1(0).value());
    QVERIFY(!window_exists<Form1>()); // a panel on its own does not bring up the bus
}

void PanelTest::display_takes_six_digits_at_most()
{
    frmSet& panel = window<frmSet>();
    keys(panel, { "1", "2", "3", "4", "5", "6", "7" });
    QCOMPARE(panel.Label1.caption(), std::string("123456"));
    keys(panel, { "C", "0", "0", "7" });
    QCOMPARE(panel.Label1.caption(), std::string("007"));
}

void PanelTest::clear_empties_the_display()
{
    frmSet& panel = window<frmSet>();
    keys(panel, { "4", "2", "C" });
    QCOMPARE(panel.Label1.caption(), std::string());
}

void PanelTest::set_shows_the_sign_of_the_number_data()
{
    QTest::addColumn<QStringList>("pressed");
    QTest::addColumn<int>("shown");
    QTest::newRow("empty display shows the first") << QStringList {} << 0;
    QTest::newRow("leading zeros") << QStringList { "0", "0", "7" } << 7;
    QTest::newRow("the last") << QStringList { "9" } << 9;
    QTest::newRow("beyond the list") << QStringList { "1", "0" } << -1;
    QTest::newRow("above 32767") << QStringList { "9", "9", "9", "9", "9" } << -1;
    QTest::newRow("32767 itself, beyond the list") << QStringList { "3", "2", "7", "6", "7" } << -1;
}

void PanelTest::set_shows_the_sign_of_the_number()
{
    QFETCH(QStringList, pressed);
    QFETCH(int, shown);
    SignFolder folder(10);
    Form1& bus = window<Form1>();
    Common::HkPath[0] = folder.path();
    bus.picDir();
    frmSet& panel = window<frmSet>();
    for (const QString& digit : pressed)
        panel.Command2(static_cast<std::int16_t>(digit.toInt())).press();
    const std::string display = panel.Label1.caption();
    panel.Command2(11).press();
    QCOMPARE(sign_shown(bus.ImgDesiMaku.width()), shown);
    QCOMPARE(panel.Label1.caption(), display); // the number stays on the display
    QCOMPARE(Common::HkIndex, 0);
    QVERIFY(m_boxes.shown.empty());
}

void PanelTest::set_applies_the_path_rule_even_when_it_fails()
{
    frmSet& panel = window<frmSet>();
    Common::HkPath[0] = "";
    keys(panel, { "9", "設定" });
    QCOMPARE(Common::HkPath[0], std::string("/"));
    Common::HkPath[0] = "/no/such/folder";
    keys(panel, { "設定" });
    QCOMPARE(Common::HkPath[0], std::string("/no/such/folder/"));
    QVERIFY(m_boxes.shown.empty());
}

void PanelTest::set_with_a_missing_folder_joins_the_old_list()
{
    SignFolder folder(3);
    Form1& bus = window<Form1>();
    Common::HkPath[0] = folder.path();
    bus.picDir();
    Common::HkPath[0] = "/no/such/folder"; // stored by the chooser, never listed
    keys(window<frmSet>(), { "1", "設定" });
    QCOMPARE(sign_shown(bus.ImgDesiMaku.width()), -1);
}

void PanelTest::speed_labels_follow_only_real_changes()
{
    window<Form1>();
    window<frmSet>().surface().close();
    frmSet& panel = window<frmSet>(); // afresh, with its design values
    panel.HScroll1.set_value(6000);   // its design value: no change
    panel.HScroll2.set_value(10000);
    QCOMPARE(panel.lblMaeSpeed.caption(), std::string("0"));
    QCOMPARE(panel.lblNakaSpeed.caption(), std::string("0"));
    panel.HScroll1.set_value(1);
    panel.HScroll2.set_value(30000);
    QCOMPARE(panel.lblMaeSpeed.caption(), std::string("1"));
    QCOMPARE(panel.lblNakaSpeed.caption(), std::string("30000"));
}

void PanelTest::middle_switch_locks_the_mode()
{
    window<Form1>();
    frmSet& panel = window<frmSet>();
    panel.HScroll1.set_value(1);
    panel.HScroll2.set_value(1);
    panel.Show();
    Sequence states;
    const auto note = [&](const char* what) {
        states.push_back(std::string(what) + ": mode " + (panel.Frame2.enabled() ? "free" : "locked"));
    };
    panel.Check1.press();
    note("front open");
    panel.Check2.press();
    note("middle open");
    panel.Option1(1).press(); // cannot be operated now
    note(panel.Option1(1).value() ? "left chosen" : "left refused");
    panel.Check2.press();
    note("middle closed");
    panel.Option1(1).press();
    note(panel.Option1(1).value() ? "left chosen" : "left refused");
    const Sequence expected { "front open: mode free", "middle open: mode locked", "left refused: mode locked",
                              "middle closed: mode free", "left chosen: mode free" };
    COMPARE_SEQUENCE(expected, states, "switches and the mode");
}

QTEST_MAIN(PanelTest)
#include "tst_panel.moc"
