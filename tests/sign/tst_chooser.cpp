// The folder chooser: OK, Cancel, the close box, browsing, and asking again for a folder
// that does not exist (on a first run, e2e_ending's).
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
    void browsing_fills_the_text_as_returned();

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

// A folder chosen by browsing (through the access key) fills the text as it came; a browse
// cancelled leaves the text alone.
void ChooserTest::browsing_fills_the_text_as_returned()
{
    ScriptedFolderPicker picker;
    picker.answers = { std::string("/srv/Signs/Set1"), std::nullopt };
    Sequence texts;
    ChooserScript script([&](frmBrowseDir& c) {
        if (QTest::qWaitForWindowActive(&c.surface())) // else nothing is browsed: the test fails
            QTest::keyClick(&c.Text1.widget(), Qt::Key_B, Qt::AltModifier);
        // The access key presses its button after a short animation.
        texts.push_back(QTest::qWaitFor([&] { return !picker.owners.empty(); }) ? c.Text1.text() : "not browsed");
        c.Command1.press();
        texts.push_back(c.Text1.text());
        cancel(c);
    });
    window<Form1>().MnuEditHkPic_Click();
    COMPARE_SEQUENCE((Sequence { "/srv/Signs/Set1", "/srv/Signs/Set1" }), texts, "texts after each browse");
    QVERIFY(picker.owners == std::vector<std::intptr_t>(2, window<Form1>().hWnd())); // owned by the main window
}

QTEST_MAIN(ChooserTest)
#include "tst_chooser.moc"
