// The folder chooser: OK, Cancel, the close box, browsing, and asking again for a folder
// that does not exist.
#include "Fakes.h"
#include "NoWindowLeft.h"
#include "ProgramState.h"
#include "SignFolder.h"

#include "app/Common.h"
#include "app/Form1.h"
#include "dialogs/frmBrowseDir.h"
#include "dialogs/frmSet.h"
#include "platform/forms/Forms.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace platform;

namespace {

const std::string NotFound = "ポルカ号: 指定したパスが見つかりません。再度指定しなおしてください。";

void cancel(frmBrowseDir& chooser) { chooser.Command2(1).press(); }

// The first chooser to open runs the step inside its modal loop; any later one is
// cancelled, so that asking once too often shows in the log instead of hanging the test.
// Each opening is logged as "opened <its text>".
class ChooserScript {
public:
    explicit ChooserScript(std::function<void(frmBrowseDir&)> first) : m_next(std::move(first)) { poll(); }
    Sequence log;

private:
    void poll()
    {
        QTimer::singleShot(10, &m_alive, [this] { // the polling ends with the script
            if (window_exists<frmBrowseDir>() && window<frmBrowseDir>().visible()) {
                log.push_back("opened " + window<frmBrowseDir>().Text1.text());
                std::exchange(m_next, cancel)(window<frmBrowseDir>());
            }
            poll();
        });
    }
    std::function<void(frmBrowseDir&)> m_next;
    QObject m_alive;
};

}

class ChooserTest : public QObject {
    Q_OBJECT

private slots:
    void init() { reset_program_state(); m_boxes.shown.clear(); }
    void cleanup() { VERIFY_NO_WINDOW_LEFT(); }

    void closing_the_chooser_data();
    void closing_the_chooser();
    void a_folder_rejected_on_a_first_run_leaves_none();
    void browsing_fills_the_text_as_returned();
    void enter_and_esc_do_nothing_and_alt_b_browses();

private:
    RecordingMessageBoxes m_boxes; // also keeps an unexpected message from waiting for a click
    RecordingSoundSink m_sound;
};

void ChooserTest::closing_the_chooser_data()
{
    // The chooser opens on a listed folder of 3 signs; another of 2 signs is typed, with `typed` after it.
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("closed_by");
    QTest::addColumn<bool>("stored"); // the typed text, unchanged, becomes the sign folder; else the old one stays
    QTest::addColumn<int>("listed");
    QTest::addColumn<bool>("asked_again"); // with the message, on the rejected text

    QTest::newRow("OK lists the folder") << "" << "OK" << true << 2 << false;
    QTest::newRow("OK keeps a trailing blank") << " " << "OK" << false << 3 << true;
    QTest::newRow("OK with a missing folder") << "/no/such/signs" << "OK" << false << 3 << true;
    QTest::newRow("Cancel") << "" << "Cancel" << false << 3 << false;
    QTest::newRow("close box") << "" << "close box" << false << 3 << false;
}

void ChooserTest::closing_the_chooser()
{
    QFETCH(QString, typed);
    QFETCH(QString, closed_by);
    QFETCH(bool, stored);
    QFETCH(int, listed);
    QFETCH(bool, asked_again);
    const SignFolder old_signs(3), new_signs(2);
    const std::string text = new_signs.path() + typed.toStdString();
    Common::HkPath[0] = old_signs.path();
    window<Form1>().picDir();
    ChooserScript script([&](frmBrowseDir& c) {
        c.Text1.set_text(text);
        if (closed_by == "close box")
            c.surface().close();
        else
            c.Command2(closed_by == "OK" ? 0 : 1).press();
    });
    window<frmSet>().Command1.press();
    QCOMPARE(Common::HkPath[0], stored ? text : old_signs.path());
    QCOMPARE(window<Form1>().File1.list_count(), listed);
    QVERIFY(!window_exists<frmBrowseDir>());
    Sequence opened { "opened " + old_signs.path() };
    if (asked_again)
        opened.push_back("opened " + text);
    COMPARE_SEQUENCE(opened, script.log, "choosers opened");
    COMPARE_SEQUENCE(asked_again ? Sequence { NotFound } : NothingHappened, m_boxes.shown, "messages");
}

void ChooserTest::a_folder_rejected_on_a_first_run_leaves_none()
{
    const std::string listed_before = window<Form1>().File1.path(); // the working folder
    ChooserScript script([](frmBrowseDir& c) {
        c.Text1.set_text("/no/such/signs");
        c.Command2(0).press();
    });
    window<frmSet>().Command1.press();
    COMPARE_SEQUENCE((Sequence { "opened ", "opened /no/such/signs" }), script.log, "choosers opened");
    QCOMPARE(Common::HkPath[0], std::string());
    QCOMPARE(window<Form1>().File1.path(), listed_before);
}

void ChooserTest::browsing_fills_the_text_as_returned()
{
    ScriptedFolderPicker picker;
    picker.answers = { std::string("/srv/Signs/Set1"), std::nullopt }; // a folder chosen, then a browse cancelled
    frmBrowseDir& chooser = window<frmBrowseDir>();
    chooser.Text1.set_text("/as/before");
    Sequence texts;
    for (int i = 0; i < 2; ++i) {
        chooser.Command1.press();
        texts.push_back(chooser.Text1.text());
    }
    COMPARE_SEQUENCE((Sequence { "/srv/Signs/Set1", "/srv/Signs/Set1" }), texts, "letter case kept, then left alone");
    const std::string title = "方向幕のあるフォルダを選択してください";
    COMPARE_SEQUENCE((Sequence { title, title }), picker.titles, "the browse dialog's title");
    QVERIFY(picker.owners == std::vector<std::intptr_t>(2, window<Form1>().hWnd())); // owned by the main window
}

void ChooserTest::enter_and_esc_do_nothing_and_alt_b_browses()
{
    ScriptedFolderPicker picker;
    Common::HkPath[0] = "/kept";
    Sequence after_keys;
    ChooserScript script([&](frmBrowseDir& c) {
        QPointer<QLineEdit> edit = qobject_cast<QLineEdit*>(&c.Text1.widget());
        edit->setText("/typed");
        QVERIFY(QTest::qWaitForWindowActive(&c.surface()));
        for (const auto& [key, modifier, name] : { std::tuple { Qt::Key_Return, Qt::NoModifier, "Enter" },
                                                   { Qt::Key_Escape, Qt::NoModifier, "Esc" },
                                                   { Qt::Key_B, Qt::AltModifier, "Alt+B" } }) {
            QTest::keyClick(edit, key, modifier);
            QTest::qWait(300); // an access key presses its button after a short animation
            QVERIFY2(edit && c.visible(), name);
            after_keys.push_back(std::string(name) + ": browsed " + std::to_string(picker.titles.size()));
        }
        cancel(c);
    });
    window<Form1>().MnuEditHkPic_Click();
    COMPARE_SEQUENCE((Sequence { "Enter: browsed 0", "Esc: browsed 0", "Alt+B: browsed 1" }), after_keys, "keys in the text");
    QCOMPARE(Common::HkPath[0], std::string("/kept"));
}

QTEST_MAIN(ChooserTest)
#include "tst_chooser.moc"
