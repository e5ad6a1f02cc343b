// The folder chooser: OK, Cancel, the close box, browsing, and asking again for a folder
// that does not exist.
#include "Fakes.h"
#include "ProgramState.h"
#include "SignFolder.h"

#include "app/Common.h"
#include "app/Form1.h"
#include "dialogs/frmBrowseDir.h"
#include "dialogs/frmSet.h"
#include "platform/Forms.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <functional>
#include <queue>

using namespace platform;

namespace {

// Each time a chooser opens, the next step runs inside its modal loop; "opened <text>"
// is logged first.
class ChooserScript {
public:
    using Step = std::function<void(frmBrowseDir&)>;
    explicit ChooserScript(std::vector<Step> steps)
    {
        for (auto& step : steps)
            m_steps.push(std::move(step));
        poll();
    }
    Sequence log;

private:
    void poll()
    {
        QTimer::singleShot(10, [this] {
            if (window_exists<frmBrowseDir>() && window<frmBrowseDir>().visible() && m_open != &window<frmBrowseDir>()) {
                frmBrowseDir& chooser = window<frmBrowseDir>();
                m_open = &chooser;
                log.push_back("opened " + chooser.Text1.text());
                if (!m_steps.empty()) {
                    Step step = std::move(m_steps.front());
                    m_steps.pop();
                    step(chooser);
                }
            } else if (!window_exists<frmBrowseDir>()) {
                m_open = nullptr;
            }
            if (!m_steps.empty())
                poll();
        });
    }
    std::queue<Step> m_steps;
    const frmBrowseDir* m_open { nullptr };
};

void type(frmBrowseDir& chooser, const std::string& text) { chooser.Text1.set_text(text); }
void ok(frmBrowseDir& chooser) { chooser.Command2(0).press(); }
void cancel(frmBrowseDir& chooser) { chooser.Command2(1).press(); }

}

class ChooserTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        reset_program_state();
        m_boxes.shown.clear();
        m_picker.titles.clear();
        m_picker.owners.clear();
    }
    void cleanup()
    {
        destroy_all_forms();
        QVERIFY(!QApplication::activeModalWidget());
    }

    void design_of_the_chooser();
    void ok_stores_the_text_unchanged_and_points_the_list_at_it();
    void cancel_and_close_box_change_nothing();
    void browsing_fills_the_text_as_returned();
    void cancelled_browse_leaves_the_text();
    void enter_does_not_press_ok_and_alt_b_browses();
    void missing_folder_brings_the_chooser_back_with_the_rejected_path();

private:
    RecordingMessageBoxes m_boxes;
    ScriptedFolderPicker m_picker;
    RecordingSoundSink m_sound;
};

void ChooserTest::design_of_the_chooser()
{
    frmBrowseDir& chooser = window<frmBrowseDir>();
    QCOMPARE(chooser.caption(), std::string("画像の位置"));
    QCOMPARE(chooser.scale_width(), 6900.f);
    QCOMPARE(chooser.scale_height(), 1215.f);
    QCOMPARE(chooser.Label2.caption(), std::string("方向幕のあるフォルダを指定してください"));
    QCOMPARE(chooser.Label1.caption(), std::string("位置："));
    QCOMPARE(chooser.Command1.caption(), std::string("参照(&B)..."));
    QCOMPARE(chooser.Command2(0).caption(), std::string("OK"));
    QCOMPARE(chooser.Command2(1).caption(), std::string("キャンセル"));
    QCOMPARE(chooser.Text1.left(), 555.f);
    QCOMPARE(chooser.Text1.width(), 5070.f);
}

void ChooserTest::ok_stores_the_text_unchanged_and_points_the_list_at_it()
{
    SignFolder folder(2);
    Common::HkPath[0] = "/old";
    const std::string typed = folder.path() + " "; // a trailing blank is kept: no such folder
    ChooserScript script({ [&](frmBrowseDir& c) { type(c, folder.path()); ok(c); } });
    window<frmSet>().Command1.press();
    QCOMPARE(Common::HkPath[0], folder.path());
    QCOMPARE(window<Form1>().File1.list_count(), 2);
    QVERIFY(!window_exists<frmBrowseDir>());

    ChooserScript blank({ [&](frmBrowseDir& c) { type(c, typed); ok(c); }, cancel });
    window<Form1>().MnuEditHkPic_Click();
    QCOMPARE(Common::HkPath[0], typed);
    COMPARE_SEQUENCE((Sequence { "opened " + folder.path(), "opened " + typed }), blank.log, "a trailing blank");
}

void ChooserTest::cancel_and_close_box_change_nothing()
{
    Common::HkPath[0] = "/kept";
    ChooserScript script({ [](frmBrowseDir& c) { type(c, "/elsewhere"); cancel(c); },
                           [](frmBrowseDir& c) { type(c, "/elsewhere"); c.surface().close(); } });
    window<Form1>().MnuEditHkPic_Click();
    window<Form1>().MnuEditHkPic_Click();
    QCOMPARE(Common::HkPath[0], std::string("/kept"));
    COMPARE_SEQUENCE((Sequence { "opened /kept", "opened /kept" }), script.log, "cancel, then the close box");
    QVERIFY(m_boxes.shown.empty());
}

void ChooserTest::browsing_fills_the_text_as_returned()
{
    m_picker.answers = { std::string("/srv/Signs/Set1") };
    frmBrowseDir& chooser = window<frmBrowseDir>();
    chooser.Command1.press();
    QCOMPARE(chooser.Text1.text(), std::string("/srv/Signs/Set1")); // letter case kept
    COMPARE_SEQUENCE(Sequence { "方向幕のあるフォルダを選択してください" }, m_picker.titles, "the browse dialog's title");
    QCOMPARE(m_picker.owners.at(0), window<Form1>().hWnd()); // owned by the main window
}

void ChooserTest::cancelled_browse_leaves_the_text()
{
    m_picker.answers = { std::nullopt };
    frmBrowseDir& chooser = window<frmBrowseDir>();
    chooser.Text1.set_text("/as/before");
    chooser.Command1.press();
    QCOMPARE(chooser.Text1.text(), std::string("/as/before"));
}

void ChooserTest::enter_does_not_press_ok_and_alt_b_browses()
{
    Common::HkPath[0] = "/kept";
    std::size_t browsed = 0;
    ChooserScript script({ [this, &browsed](frmBrowseDir& c) {
        auto* edit = qobject_cast<QLineEdit*>(&c.Text1.widget());
        edit->setText("/typed");
        const bool active = QTest::qWaitForWindowActive(&c.surface());
        QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClick(edit, Qt::Key_Escape);
        const bool still_open = c.visible();
        QTest::keyClick(edit, Qt::Key_B, Qt::AltModifier);
        QTest::qWait(300); // an access key presses its button after a short animation
        browsed = m_picker.titles.size();
        cancel(c);
        QVERIFY(active);
        QVERIFY(still_open);
    } });
    window<Form1>().MnuEditHkPic_Click();
    QCOMPARE(browsed, std::size_t(1));
    QCOMPARE(Common::HkPath[0], std::string("/kept"));
}

void ChooserTest::missing_folder_brings_the_chooser_back_with_the_rejected_path()
{
    SignFolder folder(2);
    Common::HkPath[0] = folder.path();
    window<Form1>().picDir();
    ChooserScript script({ [](frmBrowseDir& c) { type(c, "/no/such/signs"); ok(c); }, cancel });
    window<frmSet>().Command1.press();
    const Sequence expected { "opened " + folder.path(), "opened /no/such/signs" };
    COMPARE_SEQUENCE(expected, script.log, "OK with a folder that does not exist, then Cancel");
    COMPARE_SEQUENCE(Sequence { "ポルカ号: 指定したパスが見つかりません。再度指定しなおしてください。" }, m_boxes.shown, "the message");
    QCOMPARE(Common::HkPath[0], std::string("/no/such/signs"));
    QCOMPARE(window<Form1>().File1.list_count(), 2); // the list keeps the old folder
}

QTEST_MAIN(ChooserTest)
#include "tst_chooser.moc"
