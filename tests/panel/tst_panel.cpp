// The settings panel: the keypad and the mode lock.
#include "Fakes.h"
#include "NoWindowLeft.h"
#include "ProgramState.h"
#include "SignFolder.h"

#include "app/Common.h"
#include "app/Form1.h"
#include "dialogs/frmSet.h"
#include "platform/forms/Forms.h"

#include <QTest>

#include <algorithm>

using namespace platform;

namespace {

// Presses the keys standing where a number pad has these: "0".."9", "C", "設定". Each
// must bear its caption.
void press(frmSet& panel, const QStringList& captions)
{
    std::vector<CommandButton*> keys; // in reading order: rows top to bottom, each left to right
    for (std::int16_t index = 0; index < 12; ++index)
        keys.push_back(&panel.Command2(index));
    std::ranges::sort(keys, {}, [](const CommandButton* key) { return std::pair(key->top(), key->left()); });
    const QStringList number_pad = QString("7 8 9 4 5 6 1 2 3 0 C 設定").split(' ');
    for (const QString& caption : captions) {
        CommandButton& key = *keys[number_pad.indexOf(caption)];
        QCOMPARE(QString::fromStdString(key.caption()), caption);
        key.press();
    }
}

// Which middle-door modes are chosen, one digit for each of both, left, right.
std::string modes(frmSet& panel)
{
    const auto chosen = [&](std::int16_t index) { return panel.Option1(index).value() ? '1' : '0'; };
    return { chosen(0), chosen(1), chosen(2) };
}

}

class PanelTest : public QObject {
    Q_OBJECT

private slots:
    void init() { reset_program_state(); }
    void cleanup() { VERIFY_NO_WINDOW_LEFT(); }

    void keys_show_the_sign_of_the_number_data();
    void keys_show_the_sign_of_the_number();
    void set_in_an_unlisted_folder_fails_silently();
    void middle_switch_locks_the_mode();

private:
    RecordingMessageBoxes m_boxes;
    RecordingSoundSink m_sound;
};

void PanelTest::keys_show_the_sign_of_the_number_data()
{
    // Ten signs are listed; -1 is the blank sign the bus starts with.
    QTest::addColumn<QStringList>("pressed");
    QTest::addColumn<QString>("display");
    QTest::addColumn<int>("shown");
    QTest::newRow("six digits at most") << QStringList { "1", "2", "3", "4", "5", "6", "7" } << "123456" << -1;
    QTest::newRow("C clears") << QStringList { "4", "2", "C" } << "" << -1;
    QTest::newRow("leading zeros, after a clear")
        << QStringList { "1", "2", "3", "4", "5", "6", "C", "0", "0", "7", "設定" } << "007" << 7;
    QTest::newRow("empty display shows the first") << QStringList { "設定" } << "" << 0;
    QTest::newRow("the last") << QStringList { "9", "設定" } << "9" << 9;
    QTest::newRow("beyond the list") << QStringList { "1", "0", "設定" } << "10" << -1;
    // 65541 would wrap round to sign 5 in sixteen bits.
    QTest::newRow("above 32767") << QStringList { "6", "5", "5", "4", "1", "設定" } << "65541" << -1;
}

void PanelTest::keys_show_the_sign_of_the_number()
{
    QFETCH(QStringList, pressed);
    QFETCH(QString, display);
    QFETCH(int, shown);
    SignFolder folder(10);
    Form1& bus = window<Form1>();
    Common::HkPath[0] = folder.path();
    bus.picDir();
    frmSet& panel = window<frmSet>();
    press(panel, pressed);
    QCOMPARE(QString::fromStdString(panel.Label1.caption()), display); // 設定 leaves the number on the display
    QCOMPARE(sign_shown(bus.ImgDesiMaku.width()), shown);
    QCOMPARE(Common::HkIndex, 0); // the arrow keys' place is not the keypad's
    QVERIFY(m_boxes.shown.empty());
}

void PanelTest::set_in_an_unlisted_folder_fails_silently()
{
    SignFolder folder(3);
    Form1& bus = window<Form1>();
    Common::HkPath[0] = folder.path();
    bus.picDir();
    Common::HkPath[0] = "/no/such/folder"; // stored by the chooser, never listed
    press(window<frmSet>(), { "1", "設定" });
    QCOMPARE(Common::HkPath[0], std::string("/no/such/folder/")); // the "/" rule holds though nothing shows
    QCOMPARE(sign_shown(bus.ImgDesiMaku.width()), -1); // the old list's name, looked for in this folder
    QVERIFY(m_boxes.shown.empty());
}

void PanelTest::middle_switch_locks_the_mode()
{
    window<Form1>();
    frmSet& panel = window<frmSet>();
    panel.HScroll1.set_value(1); // doors that move at once
    panel.HScroll2.set_value(1);
    panel.Show();
    Sequence states;
    const auto press_and_note = [&](auto& control, const char* what) {
        control.press();
        states.push_back(std::string(what) + ": mode " + (panel.Frame2.enabled() ? "free " : "locked ") + modes(panel));
    };
    press_and_note(panel.Check1, "front open");
    press_and_note(panel.Check2, "middle open");
    press_and_note(panel.Option1(1), "left pressed"); // cannot be operated now
    press_and_note(panel.Check2, "middle closed");
    press_and_note(panel.Option1(1), "left pressed");
    const Sequence expected { "front open: mode free 100", "middle open: mode locked 100",
                              "left pressed: mode locked 100", "middle closed: mode free 100",
                              "left pressed: mode free 010" };
    COMPARE_SEQUENCE(expected, states, "switches and the mode");
}

QTEST_MAIN(PanelTest)
#include "tst_panel.moc"
