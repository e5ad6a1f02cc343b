// The destination sign: its list of files, the arrow keys and the focus. The "/" between its
// folder and a file name is tst_panel's.
#include "Fakes.h"
#include "NoWindowLeft.h"
#include "ProgramState.h"
#include "SignFolder.h"

#include "app/Common.h"
#include "app/Form1.h"
#include "dialogs/frmSet.h"
#include "platform/forms/Forms.h"

#include <QApplication>
#include <QPainter>
#include <QTest>
#include <list>

using namespace platform;

namespace {

Form1& point_at(Form1& bus, const SignFolder& folder)
{
    Common::HkPath[0] = folder.path();
    bus.picDir();
    return bus;
}

// Runs a script of steps on the sign; each step may carry the state expected after it
// ("Down=1:1": arrow position 1, sign 1 shown; sign -1 is the built-in one). Records
// "<step>=<state>" after each step:
//   Folder<n>         the sign folder set to a new one of n signs
//   Broken<n>         sign n of the newest folder rewritten as a file that is no picture
//   Up, Down          a key press; HoldUp, HoldDown: the key held for 40 auto-repeats
//   Keypad<n>         C, n and 設定 on the settings panel's keypad
Sequence run(Form1& bus, const QString& script)
{
    std::list<SignFolder> folders; // their files must stay while the script runs
    Sequence states;
    for (const QString& token : script.split(' ', Qt::SkipEmptyParts)) {
        const QString step = token.section('=', 0, 0);
        const int n = step.mid(6).toInt(); // Folder, Broken and Keypad are six letters long
        const Qt::Key key = step.endsWith("Up") ? Qt::Key_Up : Qt::Key_Down;
        if (step.startsWith("Folder")) {
            point_at(bus, folders.emplace_back(n));
        } else if (step.startsWith("Broken")) {
            folders.back().add_file(QString("sign_%1.bmp").arg(n, 3, 10, QChar('0')), "broken");
        } else if (step == "Up" || step == "Down") {
            QTest::keyClick(&bus.Picture1.widget(), key);
        } else if (step.startsWith("Hold")) {
            for (int i = 0; i < 40; ++i) {
                QKeyEvent repeat(QEvent::KeyPress, key, Qt::NoModifier, QString(), true);
                QApplication::sendEvent(&bus.Picture1.widget(), &repeat);
            }
        } else if (step.startsWith("Keypad")) {
            for (int button : { 10, n, 11 })
                window<frmSet>().Command2(static_cast<std::int16_t>(button)).press();
        } else {
            QTest::qFail(qPrintable("unknown step " + step), __FILE__, __LINE__);
        }
        states.push_back(step.toStdString() + "=" + std::to_string(Common::HkIndex) + ":"
                         + std::to_string(sign_shown(bus.ImgDesiMaku.width())));
    }
    return states;
}

Sequence listing(const Form1& bus)
{
    Sequence names;
    for (int i = 0; i < bus.File1.list_count(); ++i)
        names.push_back(bus.File1.list(i));
    return names;
}

}

class SignTest : public QObject {
    Q_OBJECT

private slots:
    void init() { reset_program_state(); m_boxes.shown.clear(); }
    void cleanup() { VERIFY_NO_WINDOW_LEFT(); }

    void list_holds_the_sign_pictures();
    void steps_show_the_sign_at_the_arrow_position_data();
    void steps_show_the_sign_at_the_arrow_position();
    void clicks_give_the_sign_the_focus();
    void large_sign_shows_only_its_top_left_corner();

private:
    RecordingMessageBoxes m_boxes;
    RecordingSoundSink m_sound;
};

// Which files a folder lists and in what order is tst_filelist's; here, that the sign lists
// every picture kind it can show.
void SignTest::list_holds_the_sign_pictures()
{
    SignFolder folder;
    folder.add_sign("b.bmp", 1);
    folder.add_file("A.gif"); // the list goes by name only
    folder.add_file("c.txt");
    folder.add_sign("e.JpEg", 4, "JPG");
    COMPARE_SEQUENCE((Sequence { "A.gif", "b.bmp", "e.JpEg" }), listing(point_at(window<Form1>(), folder)), "mixed folder");
}

void SignTest::steps_show_the_sign_at_the_arrow_position_data()
{
    QTest::addColumn<QString>("script");
    QTest::newRow("no wrap at either end") << "Folder3=0:-1 Up=0:-1 Down=1:1 Down=2:2 Down=2:2 Up=1:1 Up=0:0 Up=0:0";
    QTest::newRow("held through a whole folder") << "Folder20=0:-1 HoldDown=19:19 HoldUp=0:0";
    QTest::newRow("empty folder") << "Folder0=0:-1 Down=0:-1 Down=0:-1 Up=0:-1";
    // The index moves before the load, which fails silently.
    QTest::newRow("failing load") << "Folder3=0:-1 Broken1=0:-1 Down=1:-1 Down=2:2 Up=1:2 Up=0:0";
    QTest::newRow("after the keypad") << "Folder8=0:-1 Down=1:1 Keypad5=1:5 Down=2:2";
    // A new folder changes only the list: entries past its end show nothing.
    QTest::newRow("shorter folder")
        << "Folder6=0:-1 Down=1:1 Down=2:2 Down=3:3 Down=4:4 Folder2=4:4 Down=4:4 Up=3:4 Up=2:4 Up=1:1";
}

void SignTest::steps_show_the_sign_at_the_arrow_position()
{
    QFETCH(QString, script);
    Sequence expected;
    for (const QString& step : script.split(' '))
        expected.push_back(step.toStdString());
    COMPARE_SEQUENCE(expected, run(window<Form1>(), script), QTest::currentDataTag());
    COMPARE_SEQUENCE(NothingHappened, m_boxes.shown, "message boxes");
}

void SignTest::clicks_give_the_sign_the_focus()
{
    Form1& bus = window<Form1>();
    run(bus, "Folder2 Down Up"); // sign 0 is smaller than its box, so the box itself can be clicked
    bus.Show();
    QVERIFY(QTest::qWaitForWindowActive(&bus.surface()));
    for (const auto& [widget, place, what] : { std::tuple { &bus.surface(), bus.Image1(2).pixel_rect().center(), "front door" },
                                               { &bus.Picture1.widget(), QPoint(5, 2), "sign" },
                                               { &bus.Picture1.widget(), QPoint(40, 20), "sign box" } }) {
        bus.PicKanban.SetFocus();
        QVERIFY(!bus.Picture1.widget().hasFocus());
        QTest::mouseClick(widget, Qt::LeftButton, {}, place);
        QVERIFY2(bus.Picture1.widget().hasFocus(), what);
    }
}

void SignTest::large_sign_shows_only_its_top_left_corner()
{
    SignFolder folder;
    QImage big(104, 64, QImage::Format_RGB32);
    big.fill(Qt::blue);
    QPainter(&big).fillRect(0, 0, 52, 32, Qt::red); // the top-left quarter
    big.save(QString::fromStdString(folder.path()) + "/a.bmp");
    folder.add_sign("b.bmp", 1);
    Form1& bus = point_at(window<Form1>(), folder);
    run(bus, "Down Up");
    const QImage shown = bus.Picture1.widget().grab().toImage();
    QCOMPARE(shown.size(), QSize(52, 32));
    QCOMPARE(shown.pixelColor(0, 0), QColor(Qt::red));
    QCOMPARE(shown.pixelColor(51, 31), QColor(Qt::red));
}

QTEST_MAIN(SignTest)
#include "tst_sign.moc"
