// The version dialog: the model line, the hand pointer over the link line only,
// closing it, and the link: the maker's library asked at each click, the address handed on
// unchanged, the error box.
#include "Fakes.h"
#include "NoWindowLeft.h"
#include "ProgramState.h"

#include "dialogs/frmShowVersion.h"
#include "platform/forms/Forms.h"

#include <QApplication>
#include <QCursor>
#include <QFile>
#include <QPixmap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <sys/stat.h>

using namespace platform;

namespace {

const std::string Tail = "\r\n\r\n 上記内容をずばら堂HP関係者まで報告してください。";
const std::string Box = "Zubhpurl.dllのエラー: ";
const std::string Critical = " (critical)";

// Where the dialog looks first: the program's own folder.
QString library_place() { return QCoreApplication::applicationDirPath() + "/libKQZ5Res.so"; }

// Puts a stand-in library in that place: "" leaves it empty, "pipe" puts a named pipe there,
// "damaged" a file that is no library.
bool put_library(const QString& stand_in)
{
    QFile::remove(library_place());
    if (stand_in.isEmpty())
        return true;
    if (stand_in == "pipe")
        return mkfifo(QFile::encodeName(library_place()).constData(), 0600) == 0;
    if (stand_in == "damaged") {
        QFile damaged(library_place());
        return damaged.open(QIODevice::WriteOnly) && damaged.write(QByteArray(256, 'x')) > 0; // longer than an ELF header
    }
    return QFile::copy(STAND_IN_DIR "/libmaker_" + stand_in + ".so", library_place());
}

bool library_mapped()
{
    QFile maps("/proc/self/maps");
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libKQZ5Res.so");
}

// A click where the user would click: on whatever widget is under the point.
void click_at(QWidget& surface, QPoint point)
{
    QWidget* target = surface.childAt(point);
    target = target ? target : &surface;
    QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(&surface, point));
}

// "hand W x H at X, Y" for a picture pointer, else the pointer's shape number.
std::string pointer_at(QWidget& surface, QPoint point)
{
    const QWidget* under = surface.childAt(point);
    const QCursor cursor = (under ? under : &surface)->cursor();
    if (cursor.shape() != Qt::BitmapCursor)
        return "shape " + std::to_string(cursor.shape());
    return QString("hand %1 x %2 at %3, %4").arg(cursor.pixmap().width()).arg(cursor.pixmap().height())
        .arg(cursor.hotSpot().x()).arg(cursor.hotSpot().y()).toStdString();
}

}

class VersionTest : public QObject {
    Q_OBJECT

private slots:
    void init() { reset_program_state(); }
    void cleanup()
    {
        QFile::remove(library_place());
        VERIFY_NO_WINDOW_LEFT();
    }

    void model_line_is_the_executable_name_data();
    void model_line_is_the_executable_name();
    void hand_pointer_only_over_the_link_line_data();
    void hand_pointer_only_over_the_link_line();
    void ok_and_escape_end_the_dialog_data();
    void ok_and_escape_end_the_dialog();
    void link_line_asks_the_maker_library_at_each_click_data();
    void link_line_asks_the_maker_library_at_each_click();
};

void VersionTest::model_line_is_the_executable_name_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("line");
    QTest::newRow("the program's own name") << "QK31T0207" << "型番・製造番号：QK31T0207";
    QTest::newRow("a Windows-style name") << "test.exe" << "型番・製造番号：test";
}

// The probe shows the dialog's line as loaded in a program of the given file name.
void VersionTest::model_line_is_the_executable_name()
{
    QFETCH(QString, file);
    QFETCH(QString, line);
    QTemporaryDir folder;
    const QString program = folder.filePath(file);
    QVERIFY(QFile::copy(MODEL_LINE_PROBE, program));
    QProcess probe;
    probe.start(program, {});
    QVERIFY(probe.waitForFinished(60000));
    QCOMPARE(QString::fromUtf8(probe.readAllStandardOutput()).trimmed(), line);
}

void VersionTest::hand_pointer_only_over_the_link_line_data()
{
    // Label5 covers pixels 16..236 across and 199..213 down.
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<bool>("hand");
    QTest::newRow("middle of the link") << QPoint(126, 206) << true;
    QTest::newRow("its top-left pixel") << QPoint(16, 199) << true;
    QTest::newRow("its bottom-right pixel") << QPoint(236, 213) << true;
    QTest::newRow("left of it") << QPoint(15, 206) << false;
    QTest::newRow("below it") << QPoint(126, 214) << false;
    QTest::newRow("the notice") << QPoint(126, 150) << false;
    QTest::newRow("the OK button") << QPoint(280, 207) << false;
}

void VersionTest::hand_pointer_only_over_the_link_line()
{
    QFETCH(QPoint, point);
    QFETCH(bool, hand);
    frmShowVersion& dialog = window<frmShowVersion>();
    dialog.Show();
    QCOMPARE(pointer_at(dialog.surface(), point), hand ? "hand 32 x 32 at 12, 1" : "shape 0");
}

void VersionTest::ok_and_escape_end_the_dialog_data()
{
    QTest::addColumn<QString>("way");
    QTest::newRow("OK") << "OK";
    QTest::newRow("Esc") << "Esc";
}

// The dialog runs modally; each way of ending it is given from inside its loop.
void VersionTest::ok_and_escape_end_the_dialog()
{
    QFETCH(QString, way);
    QTimer::singleShot(0, [way] {
        frmShowVersion& dialog = window<frmShowVersion>();
        if (way == "OK")
            dialog.Command1.press();
        else if (QTest::qWaitForWindowActive(&dialog.surface()))
            QTest::keyClick(&dialog.surface(), Qt::Key_Escape);
    });
    QTimer guard; // a way that fails would leave the loop running
    guard.callOnTimeout([] { window<frmShowVersion>().Hide(); });
    guard.start(5000);
    window<frmShowVersion>().Show(ShowMode::Modal);
    QVERIFY2(guard.isActive(), "the dialog stayed open");
    QVERIFY(!window_exists<frmShowVersion>());
}

void VersionTest::link_line_asks_the_maker_library_at_each_click_data()
{
    // One stand-in library per click ("" for none); the log shows what each click did,
    // "{here}" standing for the program's folder.
    QTest::addColumn<QStringList>("libraries");
    QTest::addColumn<Sequence>("expected");
    QTest::newRow("working library") << QStringList { "japanese" }
        << Sequence { "1 open https://ずばら堂.example/ポルカ号～案内?型番=QK31T0207" };
    QTest::newRow("a second click asks again") << QStringList { "japanese", "second" }
        << Sequence { "1 open https://ずばら堂.example/ポルカ号～案内?型番=QK31T0207",
                      "2 open file:///tmp/second%20page.html" };
    QTest::newRow("library missing, then put in place") << QStringList { "", "second" }
        << Sequence { "1 " + Box + "libKQZ5Res.so: cannot open shared object file: No such file or directory" + Tail + Critical,
                      "2 open file:///tmp/second%20page.html" };
    QTest::newRow("library without the function") << QStringList { "misnamed" }
        << Sequence { "1 " + Box + "{here}/libKQZ5Res.so: undefined symbol: ZubaradoHpURL" + Tail + Critical };
    QTest::newRow("empty address") << QStringList { "empty" } << NothingHappened;
    QTest::newRow("no address") << QStringList { "null" }
        << Sequence { "1 " + Box + "ZubaradoHpURL: no text (a null pointer)" + Tail + Critical };
    QTest::newRow("address that is no code page 932") << QStringList { "bad_text" }
        << Sequence { "1 " + Box + "ZubaradoHpURL: Invalid or incomplete multibyte or wide character" + Tail + Critical };
    QTest::newRow("a damaged library, not looked for elsewhere") << QStringList { "damaged" }
        << Sequence { "1 " + Box + "{here}/libKQZ5Res.so: invalid ELF header" + Tail + Critical };
    QTest::newRow("a pipe in the library's place") << QStringList { "pipe" }
        << Sequence { "1 " + Box + "{here}/libKQZ5Res.so: not a regular file" + Tail + Critical };
}

void VersionTest::link_line_asks_the_maker_library_at_each_click()
{
    QFETCH(QStringList, libraries);
    QFETCH(Sequence, expected);
    const std::string here = QCoreApplication::applicationDirPath().toStdString();
    for (std::string& row : expected) {
        if (const auto at = row.find("{here}"); at != std::string::npos)
            row.replace(at, 6, here);
    }
    RecordingDocumentOpener opener;
    RecordingMessageBoxes boxes;
    frmShowVersion& dialog = window<frmShowVersion>();
    dialog.Show();
    Sequence log;
    for (int click = 1; click <= libraries.size(); ++click) {
        QVERIFY(put_library(libraries[click - 1]));
        click_at(dialog.surface(), dialog.Label5.pixel_rect().center());
        for (const Sequence* done : { &opener.opened, &boxes.shown })
            for (const std::string& row : *done)
                log.push_back(std::to_string(click) + " " + (done == &opener.opened ? "open " : "") + row);
        opener.opened.clear();
        boxes.shown.clear();
    }
    COMPARE_SEQUENCE(expected, log, QTest::currentDataTag());
    QVERIFY2(dialog.visible(), "the dialog went away");
    QVERIFY2(!library_mapped(), "the library was left loaded");
}

QTEST_MAIN(VersionTest)
#include "tst_version.moc"
