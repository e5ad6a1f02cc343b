// The settings file's record, read from bytes and written to bytes, away from any window.
#include "logic/SettingsRecord.h"

#include <QTest>

namespace {

// The sixteen fields in file order, texts in brackets: "0 0 0 3630 [c:\signs\] [] ...".
std::string fields_of(const SettingsRecord& r)
{
    return QString("%1 %2 %3 %4 [%5] [%6] %7 %8 [%9] %10 %11 %12 %13 %14 %15 %16")
        .arg(r.form_left).arg(r.form_top).arg(r.panel_left).arg(r.panel_top)
        .arg(QString::fromStdString(r.sign_folder)).arg(QString::fromStdString(r.spare_text))
        .arg(r.spare_number_0).arg(r.spare_number_1).arg(QString::fromStdString(r.kanban_picture))
        .arg(r.kanban_left).arg(r.kanban_top).arg(r.kanban_shown ? "T" : "F").arg(r.frame_shown ? "T" : "F")
        .arg(r.front_speed).arg(r.middle_speed).arg(r.mode).toStdString();
}

// What the reader made of the bytes: the fields, or the failure and how many fields came before it.
std::string outcome_of(const SettingsRead& read)
{
    if (read.failure.empty())
        return fields_of(read.record);
    return read.failure + " (" + std::to_string(read.fields_read) + " read)";
}

const QByteArray Example = "0,0,0,3630,\"c:\\signs\\\",\"\",0,0,\"\",7425,1665,#TRUE#,#TRUE#,10000,6000,0\r\n";

// What the example reads as, shown right by the first row of the reading table.
SettingsRecord example_record() { return read_settings(Example.toStdString()).record; }

// The example record with field 5 replaced by `folder`.
QByteArray with_folder(const QByteArray& folder) { return QByteArray(Example).replace("c:\\signs\\", folder); }

}

class SettingsRecordTest : public QObject {
    Q_OBJECT

private slots:
    void reading_data();
    void reading();
    void writing_data();
    void writing();
    void what_is_written_reads_back();
};

void SettingsRecordTest::reading_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");

    const QString example = "0 0 0 3630 [c:\\signs\\] [] 0 0 [] 7425 1665 T T 10000 6000 0";
    QTest::newRow("example record") << Example << example;
    QTest::newRow("spare fields, hidden signboard, other mode")
        << QByteArray("15,30,45,60,\"/s/\",\"spare\",-7,2147483647,\"/k.bmp\",1,2,#FALSE#,#TRUE#,1,30000,2\r\n")
        << "15 30 45 60 [/s/] [spare] -7 2147483647 [/k.bmp] 1 2 F T 1 30000 2";
    QTest::newRow("fractions round to even")
        << QByteArray("7425.5,7424.5,-0.5,1.51,\"\",\"\",0,0,\"\",.5,2.,#TRUE#,#TRUE#,10000,6000,0\r\n")
        << "7426 7424 0 2 [] [] 0 0 [] 0 2 T T 10000 6000 0";
    QTest::newRow("a 17th field and the lines after the record ignored")
        << QByteArray(Example).replace("0\r\n", "0,junk\"\r\n1,2,3\r\n") << example;
    QTest::newRow("fields over several lines, LF only, blanks, no last line end")
        << QByteArray("0, 0 ,0,3630\n\"c:\\signs\\\" ,\"\",0,0,\"\"\r\n7425,1665,#TRUE#,#TRUE#,10000,6000,0") << example;
    QTest::newRow("code page 932, a trail byte that is a backslash")
        << with_folder("/\x95\x5c\x8e\xa6/\x8a\xc5\x94\xc2\\") << "0 0 0 3630 [/表示/看板\\] [] 0 0 [] 7425 1665 T T 10000 6000 0";

    QTest::newRow("15 fields") << QByteArray(Example).replace(",0\r\n", "\r\n") << "the file ends before field 16 (15 read)";
    QTest::newRow("mode beyond 16 bits") << QByteArray(Example).replace(",0\r\n", ",40000\r\n")
                                         << "field 16: out of range (15 read)";
    QTest::newRow("place below 32 bits") << "-2147483649" + Example.mid(1) << "field 1: out of range (0 read)";
    QTest::newRow("place far beyond 64 bits") << "99999999999999999999999" + Example.mid(1) << "field 1: out of range (0 read)";
    QTest::newRow("a number in quotes") << QByteArray(Example).replace("1665", "\"1665\"")
                                        << "field 11: not a number (10 read)";
    QTest::newRow("bytes that are no code page 932") << with_folder("/\x81") << "field 5: not a text of code page 932 (4 read)";
}

void SettingsRecordTest::reading()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    QCOMPARE(outcome_of(read_settings(bytes.toStdString())), expected.toStdString());
}

void SettingsRecordTest::writing_data()
{
    QTest::addColumn<QByteArray>("folder");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("example record") << QByteArray("c:\\signs\\") << Example;
    QTest::newRow("Japanese path longer than 256 bytes")
        << "/" + QByteArray("看板").repeated(100) + "/" << with_folder("/" + QByteArray("\x8a\xc5\x94\xc2").repeated(100) + "/");
    // Code page 932 would give this back as another character: the file becomes UTF-8.
    QTest::newRow("wave dash") << QByteArray("/〜/") << "\xEF\xBB\xBF" + with_folder("/〜/");
    QTest::newRow("bytes that are no UTF-8") << QByteArray("/\xff/") << "\xEF\xBB\xBF" + with_folder("/\xff/");
}

void SettingsRecordTest::writing()
{
    QFETCH(QByteArray, folder);
    QFETCH(QByteArray, expected);
    SettingsRecord record = example_record();
    record.sign_folder = folder.toStdString();
    QCOMPARE(QByteArray::fromStdString(write_settings(record)), expected);
}

// Texts the writer puts between quotes as they are, the ends of every range, and a text that
// makes the file UTF-8.
void SettingsRecordTest::what_is_written_reads_back()
{
    const SettingsRecord record { -2147483647 - 1, 2147483647, -15, 99999, " /a,b\r\n/ ", "\"quoted\" 〜", -1, 1,
                                  "/写真/看板①.png", -7425, 0, false, true, 1, 30000, -32768 };
    const SettingsRead read = read_settings(write_settings(record));
    QCOMPARE(read.failure, std::string());
    QCOMPARE(fields_of(read.record), fields_of(record));
}

QTEST_APPLESS_MAIN(SettingsRecordTest)
#include "tst_settings_record.moc"
