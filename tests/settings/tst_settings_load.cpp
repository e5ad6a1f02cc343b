// The settings applied at start-up and written at the end, through the real windows: what
// LoadIni leaves the program holding (what it would save) and showing, on its normal path,
// after a failure at a step and where a missing picture or folder no longer costs the other
// settings; what SaveIni writes, and where.
#include "Fakes.h"
#include "NoWindowLeft.h"
#include "ProgramState.h"
#include "SignFolder.h"

#include "app/Common.h"
#include "app/Form1.h"
#include "app/SettingsPlace.h"
#include "dialogs/frmSet.h"
#include "platform/forms/Forms.h"
#include "platform/system/System.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTest>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace platform;

namespace {

// The pictures the program puts on its controls.
class PicturesShown : public TraceRecorder {
public:
    void record(const std::string&) override { }
    void record_property(const std::string& row) override
    {
        if (row.find(" Picture ") != std::string::npos)
            rows.push_back(row);
    }
};

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

// A saved record; "<signs>" and "<board>" stand for real paths.
const QByteArray Saved = "-1500,750,300,4500,\"<signs>\",\"spare\",-7,42,\"<board>\",6000,900,#TRUE#,#FALSE#,20000,3000,2\r\n";

QByteArray saved_with(const char* from, const char* to) { return QByteArray(Saved).replace(from, to); }

// The defaults: the bus in the corner, the panel below it, the board in its first place, the
// speeds and mode of a first run; over the fields read before the failure and what was applied.
const QByteArray FirstRun = "0,0,0,<height>,\"\",\"\",0,0,\"\",7425,1665,#TRUE#,#TRUE#,10000,6000,0\r\n";
const QByteArray DefaultsOverRead = "0,0,0,<height>,\"<signs>\",\"spare\",-7,42,\"<board>\",7425,1665,#TRUE#,#TRUE#,10000,6000,0\r\n";
const QByteArray DefaultsOverSignboard = QByteArray(DefaultsOverRead).replace("#TRUE#,#TRUE#", "#TRUE#,#FALSE#");

const QStringList Board { "PicKanban Picture 40x20" }, FirstSign { "ImgDesiMaku Picture 10x5" }, NoBoard { "PicKanban Picture None" };

}

class SettingsLoadTest : public QObject {
    Q_OBJECT

private slots:
    void init() { reset_program_state(); }
    void cleanup() { VERIFY_NO_WINDOW_LEFT(); }

    void load_data();
    void load();
    void closing_writes_back_what_was_read();
    void a_panel_closed_during_the_run_is_saved_as_it_was();
    void a_save_that_fails_keeps_the_old_file();
    void a_relative_configuration_folder_is_not_used();

private:
    // Real paths in place of "<signs>", "<board>", "<empty>", "<gone>" and "<height>".
    QByteArray with_paths(QString text) const
    {
        if (text.contains("<height>")) // asks the main window, so only once it is there
            text.replace("<height>", QString::number(window<Form1>().height()));
        return text.replace("<signs>", QString::fromStdString(m_signs.path()))
            .replace("<empty>", QString::fromStdString(m_empty.path()))
            .replace("<board>", m_board.filePath("board.bmp"))
            .replace("<gone>", m_board.filePath("gone"))
            .toUtf8();
    }

    RecordingMessageBoxes m_boxes;
    SignFolder m_signs { 3 };
    SignFolder m_empty;
    QTemporaryDir m_board;
};

void SettingsLoadTest::load_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QByteArray>("held");

    // The sign folder gains its "/" once the first sign is shown from it.
    QTest::newRow("normal path") << Saved << Board + FirstSign << saved_with("<signs>", "<signs>/");
    QTest::newRow("a place off every screen comes back") << saved_with("-1500,", "-15000,") << Board + FirstSign
                                                         << saved_with("-1500,", "0,").replace("<signs>", "<signs>/");
    QTest::newRow("no file") << QByteArray() << NoBoard << FirstRun;
    QTest::newRow("a FIFO in the file's place, read at once") << QByteArray("<fifo>") << NoBoard << FirstRun;
    QTest::newRow("yes for a truth value, nothing applied") << saved_with("#FALSE#", "yes") << NoBoard << DefaultsOverRead;
    QTest::newRow("front speed 0, after the signboard") << saved_with("20000", "0") << Board + NoBoard << DefaultsOverSignboard;
    QTest::newRow("middle speed 0, after the signboard") << saved_with(",3000,", ",0,") << Board + NoBoard << DefaultsOverSignboard;
    QTest::newRow("mode 3, after the first sign") << saved_with(",2\r\n", ",3\r\n") << Board + FirstSign + NoBoard
                                                  << QByteArray(DefaultsOverSignboard).replace("<signs>", "<signs>/");

    // Mended: each of these used to throw every other setting away.
    QTest::newRow("signboard picture gone") << saved_with("<board>", "<gone>") << FirstSign
                                            << saved_with("<board>", "<gone>").replace("<signs>", "<signs>/");
    QTest::newRow("sign folder gone") << saved_with("<signs>", "<gone>") << Board << saved_with("<signs>", "<gone>");
    QTest::newRow("sign folder without signs") << saved_with("<signs>", "<empty>") << Board << saved_with("<signs>", "<empty>/");
}

void SettingsLoadTest::load()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, shown);
    QFETCH(QByteArray, held);
    QImage(40, 20, QImage::Format_RGB32).save(m_board.filePath("board.bmp"), "BMP");
    Form1& bus = window<Form1>(); // a first run
    if (file == "<fifo>")
        QCOMPARE(::mkfifo(QFile::encodeName(settings_file()).constData(), 0600), 0);
    else if (!file.isEmpty())
        write_file(with_paths(QString::fromUtf8(file)));
    PicturesShown pictures;
    bus.LoadIni();
    QCOMPARE(QString::fromStdString(write_settings(bus.settings_now())), QString::fromUtf8(with_paths(held)));
    Sequence wanted;
    for (const QString& row : shown)
        wanted.push_back(row.toStdString());
    COMPARE_SEQUENCE(wanted, pictures.rows, QTest::currentDataTag());
}

void SettingsLoadTest::closing_writes_back_what_was_read()
{
    QImage(40, 20, QImage::Format_RGB32).save(m_board.filePath("board.bmp"), "BMP");
    write_file(with_paths(Saved));
    QVERIFY(QFile::setPermissions(settings_file(), QFile::ReadOwner | QFile::WriteOwner));
    const auto permissions = QFile::permissions(settings_file());
    window<Form1>().surface().close();
    QCOMPARE(file_bytes(), with_paths(saved_with("<signs>", "<signs>/")));
    QCOMPARE(QFile::permissions(settings_file()), permissions); // the user's own
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

// A configuration folder given as a relative path is ignored, as the desktop's rules say.
void SettingsLoadTest::a_relative_configuration_folder_is_not_used()
{
    qputenv("XDG_CONFIG_HOME", "relative/config");
    const std::string folder = user_config_folder();
    qunsetenv("XDG_CONFIG_HOME");
    QCOMPARE(QString::fromStdString(folder), QDir::homePath() + "/.config");
}

QTEST_MAIN(SettingsLoadTest)
#include "tst_settings_load.moc"
