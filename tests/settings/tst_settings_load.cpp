// The settings applied at start-up and written at the end, through the real windows: what
// LoadIni sets, in order, on its normal path, after a failure at each step and where a
// missing picture or folder no longer costs the other settings; what SaveIni writes.
#include "Fakes.h"
#include "NoWindowLeft.h"
#include "Outcome.h"
#include "ProgramState.h"
#include "SignFolder.h"

#include "app/Common.h"
#include "app/Form1.h"
#include "app/SettingsPlace.h"
#include "dialogs/frmSet.h"
#include "platform/forms/Forms.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTest>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace platform;

namespace {

// What the program sets, and the moves of its controls; no repaints.
class SetsRecorder : public TraceRecorder {
public:
    void record(const std::string& row) override
    {
        if (row.find(" move ") != std::string::npos)
            rows.push_back(row);
    }
    void record_property(const std::string& row) override { rows.push_back(row); }
};

// The program's variables that the settings file fills.
std::string variables()
{
    return "HkPath " + Common::HkPath[0] + " | " + Common::HkPath[1] + ", IniSpare " + std::to_string(Common::IniSpare[0])
        + " " + std::to_string(Common::IniSpare[1]) + ", KanbanPicPath " + Common::KanbanPicPath + ", NakaMode "
        + std::to_string(Common::NakaMode);
}

QString settings_file() { return QString::fromStdString(settings_place().write_path); }

QByteArray file_bytes()
{
    QFile file(settings_file());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : "(no file)";
}

void write_file(const QByteArray& bytes)
{
    QFile file(settings_file());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// A saved record with the example's values; "<signs>" and "<board>" stand for real paths.
const QByteArray Saved = "-1500,750,300,4500,\"<signs>\",\"spare\",-7,42,\"<board>\",6000,900,#TRUE#,#FALSE#,20000,3000,2\r\n";

QByteArray saved_with(const char* from, const char* to) { return QByteArray(Saved).replace(from, to); }

// The rows of each step of the normal path with the saved record.
const QStringList Places { "Form1 Left -1500", "Form1 Top 750", "frmSet Left 300", "frmSet Top 4500" };
const QStringList Signboard { "PicKanban Visible True", "MnuViewKanban Checked True", "shpK_Waku(0) Visible False",
                              "shpK_Waku(1) Visible False", "shpK_Waku(2) Visible False", "MnuViewWaku Checked False",
                              "PicKanban move 6000 1665 1410 450", "PicKanban move 6000 900 1410 450" };
// The board takes the picture's size and the frame follows it, posts kept.
const QStringList BoardPicture { "PicKanban Picture 40x20", "PicKanban move 6000 900 600 300",
                                 "shpK_Waku(0) move 5925 900 75 465", "shpK_Waku(1) move 6600 900 75 465",
                                 "shpK_Waku(2) move 5925 1200 750 60" };
const QStringList Refit { "shpK_Waku(0) move 5925 900 75 315", "shpK_Waku(1) move 6600 900 75 315" };
const QStringList RefitWithoutPicture { "shpK_Waku(0) move 5925 900 75 465", "shpK_Waku(1) move 7410 900 75 465",
                                        "shpK_Waku(2) move 5925 1350 1560 60" };
const QStringList Speeds { "HScroll1 Value 20000", "HScroll2 Value 3000" };
const QStringList FirstSign { "File1 Path <signs>", "ImgDesiMaku Picture 10x5", "ImgDesiMaku move 0 0 150 75" };
const QStringList Mode { "Option1(2) Value True" };
const QStringList DefaultPlaces { "Form1 Left 0", "Form1 Top 0", "frmSet Left 0", "frmSet Top <height>" };
const QStringList DefaultSpeedsAndMode { "HScroll1 Value 10000", "HScroll2 Value 6000", "Option1(0) Value True" };
// The signboard reset on a board and frame still as a first run left them, and on the saved ones.
const QStringList Defaults = DefaultPlaces + QStringList { "PicKanban Picture None" } + DefaultSpeedsAndMode;
const QStringList DefaultsAfterSignboard = DefaultPlaces
    + QStringList { "PicKanban Picture None", "PicKanban move 7425 1665 1410 450", "shpK_Waku(0) move 7350 1665 75 315",
                    "shpK_Waku(1) move 8835 1665 75 315", "shpK_Waku(2) move 7350 2115 1560 60",
                    "shpK_Waku(0) move 7350 1665 75 465", "shpK_Waku(1) move 8835 1665 75 465" }
    + DefaultSpeedsAndMode;

const QStringList AllRead { "HkPath <signs>/ | spare, IniSpare -7 42, KanbanPicPath <board>, NakaMode 2" };
const QStringList NothingRead { "HkPath  | , IniSpare 0 0, KanbanPicPath , NakaMode 0" };

}

class SettingsLoadTest : public QObject {
    Q_OBJECT

private slots:
    void init() { reset_program_state(); }
    void cleanup() { VERIFY_NO_WINDOW_LEFT(); }

    void load_sets_in_order_data();
    void load_sets_in_order();
    void closing_writes_back_what_was_read();
    void a_panel_closed_during_the_run_is_saved_as_it_was();
    void a_save_that_fails_keeps_the_old_file();

private:
    // Real paths in place of "<signs>", "<board>", "<empty>", "<gone>" and "<height>".
    QString with_paths(QString text) const
    {
        if (text.contains("<height>")) // asks the main window, so only once it is there
            text.replace("<height>", QString::number(window<Form1>().height()));
        return text.replace("<signs>", QString::fromStdString(m_signs.path()))
            .replace("<empty>", QString::fromStdString(m_empty.path()))
            .replace("<board>", m_board.filePath("board.bmp"))
            .replace("<gone>", m_board.filePath("gone"));
    }

    RecordingMessageBoxes m_boxes;
    SignFolder m_signs { 3 };
    SignFolder m_empty;
    QTemporaryDir m_board;
};

void SettingsLoadTest::load_sets_in_order_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("normal path") << Saved << Places + Signboard + BoardPicture + Refit + Speeds + FirstSign + Mode + AllRead;
    QTest::newRow("no file") << QByteArray() << Defaults + NothingRead;
    QTest::newRow("a FIFO in the file's place") << QByteArray("<fifo>") << Defaults + NothingRead;
    // What was read before the failure stays in the variables.
    QTest::newRow("yes for a truth value, step 2") << saved_with("#FALSE#", "yes")
        << Defaults + QStringList { "HkPath <signs> | spare, IniSpare -7 42, KanbanPicPath <board>, NakaMode 0" };
    QTest::newRow("15 fields, step 2") << saved_with(",2\r\n", "\r\n")
        << Defaults + QStringList { "HkPath <signs> | spare, IniSpare -7 42, KanbanPicPath <board>, NakaMode 0" };
    QTest::newRow("front speed 40000, step 9") << saved_with("20000", "40000")
        << Places + Signboard + BoardPicture + Refit + DefaultsAfterSignboard + QStringList { "HkPath <signs> | spare, IniSpare -7 42, KanbanPicPath <board>, NakaMode 2" };
    QTest::newRow("middle speed 0, step 9") << saved_with(",3000,", ",0,")
        << Places + Signboard + BoardPicture + Refit + QStringList { "HScroll1 Value 20000" } + DefaultsAfterSignboard
            + QStringList { "HkPath <signs> | spare, IniSpare -7 42, KanbanPicPath <board>, NakaMode 2" };
    QTest::newRow("mode 3, step 12") << saved_with(",2\r\n", ",3\r\n")
        << Places + Signboard + BoardPicture + Refit + Speeds + FirstSign + DefaultsAfterSignboard
            + QStringList { "HkPath <signs>/ | spare, IniSpare -7 42, KanbanPicPath <board>, NakaMode 3" };

    // Mended: each of these used to throw every other setting away.
    QTest::newRow("signboard picture gone") << saved_with("<board>", "<gone>")
        << Places + Signboard + RefitWithoutPicture + Speeds + FirstSign + Mode + QStringList { "HkPath <signs>/ | spare, IniSpare -7 42, KanbanPicPath <gone>, NakaMode 2" };
    QTest::newRow("sign folder gone") << saved_with("<signs>", "<gone>")
        << Places + Signboard + BoardPicture + Refit + Speeds + Mode + QStringList { "HkPath <gone> | spare, IniSpare -7 42, KanbanPicPath <board>, NakaMode 2" };
    QTest::newRow("sign folder without signs") << saved_with("<signs>", "<empty>")
        << Places + Signboard + BoardPicture + Refit + Speeds + QStringList { "File1 Path <empty>" } + Mode
            + QStringList { "HkPath <empty>/ | spare, IniSpare -7 42, KanbanPicPath <board>, NakaMode 2" };
    QTest::newRow("no sign folder chosen") << saved_with("<signs>", "")
        << Places + Signboard + BoardPicture + Refit + Speeds + Mode + QStringList { "HkPath  | spare, IniSpare -7 42, KanbanPicPath <board>, NakaMode 2" };
}

void SettingsLoadTest::load_sets_in_order()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, expected);
    QImage(40, 20, QImage::Format_RGB32).save(m_board.filePath("board.bmp"), "BMP");
    Form1& bus = window<Form1>(); // a first run
    if (file == "<fifo>")
        QCOMPARE(::mkfifo(settings_file().toLocal8Bit().constData(), 0600), 0);
    else if (!file.isEmpty())
        write_file(with_paths(QString::fromUtf8(file)).toUtf8());
    SetsRecorder recorder;
    bus.LoadIni();
    recorder.rows.push_back(variables());
    Sequence wanted;
    for (const QString& row : expected)
        wanted.push_back(with_paths(row).toStdString());
    COMPARE_SEQUENCE(wanted, recorder.rows, QTest::currentDataTag());
}

void SettingsLoadTest::closing_writes_back_what_was_read()
{
    QImage(40, 20, QImage::Format_RGB32).save(m_board.filePath("board.bmp"), "BMP");
    write_file(with_paths(Saved).toUtf8());
    Form1& bus = window<Form1>();
    bus.surface().close();
    // The sign folder has gained its "/" on the way.
    QCOMPARE(file_bytes(), with_paths(saved_with("<signs>", "<signs>/")).toUtf8());
}

void SettingsLoadTest::a_panel_closed_during_the_run_is_saved_as_it_was()
{
    Form1& bus = window<Form1>();
    frmSet& panel = window<frmSet>();
    panel.set_left(900);
    panel.set_top(1200);
    panel.HScroll1.set_value(111);
    panel.HScroll2.set_value(222);
    panel.Option1(1).set_value(true);
    panel.surface().close();
    bus.SaveIni();
    QCOMPARE(window_exists<frmSet>(), false); // saving did not bring a fresh panel
    const QList<QByteArray> fields = file_bytes().trimmed().split(',');
    QCOMPARE(fields.size(), 16);
    QCOMPARE(fields[2] + " " + fields[3] + " " + fields[13] + " " + fields[14] + " " + fields[15], QByteArray("900 1200 111 222 1"));
}

void SettingsLoadTest::a_save_that_fails_keeps_the_old_file()
{
    Form1& bus = window<Form1>();
    const QByteArray old = "old settings, kept";
    write_file(old);
    // The disk takes no more than 8 bytes a file; the signal is ignored, so writes fail.
    const auto previous_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit {};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit small { 8, limit.rlim_max };
    ::setrlimit(RLIMIT_FSIZE, &small);
    std::string message;
    try {
        bus.SaveIni();
    } catch (const RuntimeError& error) {
        message = std::to_string(error.number()) + " " + error.what();
    }
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, previous_handler);
    QCOMPARE(file_bytes(), old);
    QCOMPARE(QString::fromStdString(message), QString("57 File too large"));
    const QStringList left = QFileInfo(settings_file()).dir().entryList(QDir::Files | QDir::Hidden);
    QCOMPARE(left, QStringList { QFileInfo(settings_file()).fileName() }); // no new file left behind
}

QTEST_MAIN(SettingsLoadTest)
#include "tst_settings_load.moc"
