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
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <sys/stat.h>

using namespace platform;

namespace {

const std::string Tail = "\r\n\r\n 上記内容をずばら堂HP関係者まで報告してください。";

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

// Whether the pointer over a point is the hand picture rather than a standard shape.
bool hand_at(QWidget& surface, QPoint point)
{
    const QWidget* under = surface.childAt(point);
    return (under ? under : &surface)->cursor().shape() == Qt::BitmapCursor;
}

// Whether a pointer's hot spot is a drawn pixel of the topmost drawn row: a hand's fingertip.
bool points_with_its_tip(const QCursor& pointer)
{
    const QImage picture = pointer.pixmap().toImage();
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (qAlpha(picture.pixel(x, y)) != 0)
                return pointer.hotSpot().y() == y && qAlpha(picture.pixel(pointer.hotSpot())) != 0;
    return false;
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

// Over the link line to its edge pixels, and not a pixel beyond nor over the OK button; the
// hand points with its fingertip.
void VersionTest::hand_pointer_only_over_the_link_line()
{
    frmShowVersion& dialog = window<frmShowVersion>();
    dialog.Show();
    const QRect link = dialog.Label5.pixel_rect();
    QVERIFY(hand_at(dialog.surface(), link.center()));
    QVERIFY(hand_at(dialog.surface(), link.topLeft()));
    QVERIFY(hand_at(dialog.surface(), link.bottomRight()));
    QVERIFY(!hand_at(dialog.surface(), link.topLeft() - QPoint(1, 0)));
    QVERIFY(!hand_at(dialog.surface(), link.bottomRight() + QPoint(0, 1)));
    QVERIFY(!hand_at(dialog.surface(), dialog.Command1.pixel_rect().center()));
    const QCursor hand = dialog.surface().childAt(link.center())->cursor();
    QVERIFY(points_with_its_tip(hand));
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
    const std::string japanese = "open https://ずばら堂.example/ポルカ号～案内?型番=QK31T0207";
    const std::string second = "open file:///tmp/second%20page.html";
    const auto box = [](const std::string& why) { return "1 Zubhpurl.dllのエラー: " + why + Tail + " (critical)"; };
    QTest::newRow("working library") << QStringList { "japanese" } << Sequence { "1 " + japanese };
    QTest::newRow("a second click asks again") << QStringList { "japanese", "second" } << Sequence { "1 " + japanese, "2 " + second };
    QTest::newRow("library missing, then put in place") << QStringList { "", "second" }
        << Sequence { box("libKQZ5Res.so: cannot open shared object file: No such file or directory"), "2 " + second };
    QTest::newRow("library without the function") << QStringList { "misnamed" }
        << Sequence { box("{here}/libKQZ5Res.so: undefined symbol: ZubaradoHpURL") };
    QTest::newRow("empty address") << QStringList { "empty" } << NothingHappened;
    QTest::newRow("no address") << QStringList { "null" } << Sequence { box("ZubaradoHpURL: no text (a null pointer)") };
    QTest::newRow("address that is no code page 932") << QStringList { "bad_text" }
        << Sequence { box("ZubaradoHpURL: Invalid or incomplete multibyte or wide character") };
    QTest::newRow("a damaged library, not looked for elsewhere") << QStringList { "damaged" }
        << Sequence { box("{here}/libKQZ5Res.so: invalid ELF header") };
    QTest::newRow("a pipe in the library's place") << QStringList { "pipe" }
        << Sequence { box("{here}/libKQZ5Res.so: not a regular file") };
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
