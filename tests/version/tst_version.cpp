// The version dialog: the model line, closing it, and the link: the maker's library asked at
// each click, the address handed on unchanged, the error box.
#include "Fakes.h"
#include "NoWindowLeft.h"
#include "ProgramState.h"

#include "dialogs/frmShowVersion.h"
#include "platform/forms/Forms.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QTest>

using namespace platform;

namespace {

const std::string Tail = "\r\n\r\n 上記内容をずばら堂HP関係者まで報告してください。";

// Where the dialog looks first: the program's own folder.
QString library_place() { return QCoreApplication::applicationDirPath() + "/libKQZ5Res.so"; }

// Puts a stand-in library in that place: "" leaves it empty, "damaged" puts a file that is no
// library there.
bool put_library(const QString& stand_in)
{
    QFile::remove(library_place());
    if (stand_in.isEmpty())
        return true;
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

    void model_line_is_the_executable_name();
    void ok_ends_the_dialog();
    void link_line_asks_the_maker_library_at_each_click_data();
    void link_line_asks_the_maker_library_at_each_click();
};

void VersionTest::model_line_is_the_executable_name()
{
    const QString name = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    QCOMPARE(QString::fromStdString(window<frmShowVersion>().Label1(1).caption()), "型番・製造番号：" + name);
}

void VersionTest::ok_ends_the_dialog()
{
    frmShowVersion& dialog = window<frmShowVersion>();
    dialog.Show();
    dialog.Command1.press();
    QVERIFY(!window_exists<frmShowVersion>());
}

void VersionTest::link_line_asks_the_maker_library_at_each_click_data()
{
    // One stand-in library per click ("" for none); the log shows what each click did.
    QTest::addColumn<QStringList>("libraries");
    QTest::addColumn<Sequence>("expected");
    const std::string japanese = "open https://ずばら堂.example/ポルカ号～案内?型番=QK31T0207";
    const std::string here = QCoreApplication::applicationDirPath().toStdString();
    const auto box = [](const std::string& why) { return "1 Zubhpurl.dllのエラー: " + why + Tail + " (critical)"; };
    QTest::newRow("working library") << QStringList { "japanese" } << Sequence { "1 " + japanese };
    QTest::newRow("library missing, then put in place") << QStringList { "", "japanese" }
        << Sequence { box("libKQZ5Res.so: cannot open shared object file: No such file or directory"), "2 " + japanese };
    QTest::newRow("library without the function") << QStringList { "misnamed" }
        << Sequence { box(here + "/libKQZ5Res.so: undefined symbol: ZubaradoHpURL") };
    QTest::newRow("empty address") << QStringList { "empty" } << NothingHappened;
    QTest::newRow("no address") << QStringList { "null" } << Sequence { box("ZubaradoHpURL: no text (a null pointer)") };
    QTest::newRow("address that is no code page 932") << QStringList { "bad_text" }
        << Sequence { box("ZubaradoHpURL: Invalid or incomplete multibyte or wide character") };
    QTest::newRow("a damaged library, not looked for elsewhere") << QStringList { "damaged" }
        << Sequence { box(here + "/libKQZ5Res.so: invalid ELF header") };
}

void VersionTest::link_line_asks_the_maker_library_at_each_click()
{
    QFETCH(QStringList, libraries);
    QFETCH(Sequence, expected);
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
