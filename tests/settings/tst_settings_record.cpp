// The settings file's record, read from bytes and written to bytes, away from any window.
#include "logic/SettingsRecord.h"

#include <QTest>
#include <utility>
#include <vector>

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

const char* const Example = "0,0,0,3630,\"c:\\signs\\\",\"\",0,0,\"\",7425,1665,#TRUE#,#TRUE#,10000,6000,0\r\n";

SettingsRecord example_record()
{
    SettingsRecord r;
    r.panel_top = 3630;
    r.sign_folder = "c:\\signs\\";
    r.kanban_left = 7425;
    r.kanban_top = 1665;
    r.kanban_shown = r.frame_shown = true;
    r.front_speed = 10000;
    r.middle_speed = 6000;
    return r;
}

// The example record with field 5 replaced by `folder`.
QByteArray with_folder(const QByteArray& folder)
{
    return "0,0,0,3630,\"" + folder + "\",\"\",0,0,\"\",7425,1665,#TRUE#,#TRUE#,10000,6000,0\r\n";
}

const std::vector<std::pair<const char*, SettingsRecord>>& round_trip_records()
{
    static const std::vector<std::pair<const char*, SettingsRecord>> records = [] {
        std::vector<std::pair<const char*, SettingsRecord>> list { { "example", example_record() } };
        list.push_back({ "ends of every range, texts with commas, quotes and line ends",
                         { -2147483647 - 1, 2147483647, -15, 99999, "/a,b\r\n/", "\"quoted\"", -1, 1,
                           "/k \"x\".png", -7425, 0, false, true, 1, 30000, -32768 } });
        SettingsRecord japanese = example_record();
        japanese.kanban_picture = "/写真/看板①.png";
        list.push_back({ "Japanese texts", japanese });
        SettingsRecord mixed = japanese;
        mixed.spare_text = "〜 and ¥ make the file UTF-8";
        list.push_back({ "Japanese texts in a UTF-8 file", mixed });
        SettingsRecord blanks = example_record();
        blanks.sign_folder = "  blanks around  ";
        list.push_back({ "blanks kept inside quotes", blanks });
        return list;
    }();
    return records;
}

}

class SettingsRecordTest : public QObject {
    Q_OBJECT

private slots:
    void reading_data();
    void reading();
    void writing_data();
    void writing();
    void what_is_written_reads_back_data();
    void what_is_written_reads_back();
};

void SettingsRecordTest::reading_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");

    const QString example = "0 0 0 3630 [c:\\signs\\] [] 0 0 [] 7425 1665 T T 10000 6000 0";
    QTest::newRow("example record") << QByteArray(Example) << example;
    QTest::newRow("first-run record")
        << QByteArray("0,0,0,3630,\"\",\"\",0,0,\"\",7425,1665,#TRUE#,#TRUE#,10000,6000,0\r\n")
        << "0 0 0 3630 [] [] 0 0 [] 7425 1665 T T 10000 6000 0";
    QTest::newRow("spare fields, hidden signboard, other mode")
        << QByteArray("15,30,45,60,\"/s/\",\"spare\",-7,2147483647,\"/k.bmp\",1,2,#FALSE#,#TRUE#,1,30000,2\r\n")
        << "15 30 45 60 [/s/] [spare] -7 2147483647 [/k.bmp] 1 2 F T 1 30000 2";
    QTest::newRow("commas, quotes and a line end inside texts")
        << QByteArray("0,0,0,3630,\"/a,b/\",\"x\r\ny\",0,0,\"/say \"hi\".bmp\",7425,1665,#TRUE#,#TRUE#,10000,6000,0\r\n")
        << "0 0 0 3630 [/a,b/] [x\r\ny] 0 0 [/say \"hi\".bmp] 7425 1665 T T 10000 6000 0";
    QTest::newRow("negative places, 32-bit ends")
        << QByteArray("-15360,-30,-2147483648,0,\"\",\"\",0,0,\"\",-1,-0,#TRUE#,#TRUE#,10000,6000,0\r\n")
        << "-15360 -30 -2147483648 0 [] [] 0 0 [] -1 0 T T 10000 6000 0";
    QTest::newRow("fractions round to even")
        << QByteArray("7425.5,7424.5,-0.5,1.51,\"\",\"\",0,0,\"\",.5,2.,#TRUE#,#TRUE#,10000,6000,0\r\n")
        << "7426 7424 0 2 [] [] 0 0 [] 0 2 T T 10000 6000 0";
    QTest::newRow("17 fields: the last one ignored") << with_folder("c:\\signs\\").replace("0\r\n", "0,junk\"\r\n") << example;
    QTest::newRow("lines after the record ignored") << QByteArray(Example) + "1,2,3\r\n" << example;
    QTest::newRow("no line end") << QByteArray(Example).chopped(2) << example;
    QTest::newRow("fields over several lines, LF only, blanks")
        << QByteArray("0, 0 ,0,3630\n\"c:\\signs\\\" ,\"\",0,0,\"\"\r\n7425,1665,#TRUE#,#TRUE#,10000,6000,0\n") << example;
    // Out of range only where they are applied, not here.
    QTest::newRow("speeds 40000 and 0, mode 3")
        << QByteArray("0,0,0,3630,\"\",\"\",0,0,\"\",7425,1665,#TRUE#,#TRUE#,40000,0,3\r\n")
        << "0 0 0 3630 [] [] 0 0 [] 7425 1665 T T 40000 0 3";
    QTest::newRow("code page 932, a trail byte that is a backslash")
        << with_folder("/\x95\x5c\x8e\xa6/\x8a\xc5\x94\xc2\\") << "0 0 0 3630 [/表示/看板\\] [] 0 0 [] 7425 1665 T T 10000 6000 0";
    QTest::newRow("UTF-8 with its mark") << "\xEF\xBB\xBF" + with_folder("/看板/〜")
                                          << "0 0 0 3630 [/看板/〜] [] 0 0 [] 7425 1665 T T 10000 6000 0";

    QTest::newRow("empty file") << QByteArray() << "the file ends before field 1 (0 read)";
    QTest::newRow("15 fields") << QByteArray(Example).replace(",0\r\n", "\r\n")
                               << "the file ends before field 16 (15 read)";
    QTest::newRow("field 16 left empty") << QByteArray(Example).replace(",0\r\n", ",\r\n")
                                         << "field 16: not a number (15 read)";
    QTest::newRow("mode beyond 16 bits") << QByteArray(Example).replace(",0\r\n", ",40000\r\n")
                                         << "field 16: out of range (15 read)";
    QTest::newRow("place beyond 32 bits") << "2147483648" + QByteArray(Example).mid(1)
                                          << "field 1: out of range (0 read)";
    QTest::newRow("place far beyond 64 bits") << "-99999999999999999999999" + QByteArray(Example).mid(1)
                                              << "field 1: out of range (0 read)";
    QTest::newRow("a number that is not one") << QByteArray(Example).replace("7425", "74x5")
                                              << "field 10: not a number (9 read)";
    QTest::newRow("a number in quotes") << QByteArray(Example).replace("1665", "\"1665\"")
                                        << "field 11: not a number (10 read)";
    QTest::newRow("a number with an exponent") << QByteArray(Example).replace("3630", "3.6e3")
                                               << "field 4: not a number (3 read)";
    QTest::newRow("yes for a truth value") << QByteArray(Example).replace("#TRUE#,#TRUE#", "#TRUE#,yes")
                                           << "field 13: not a truth value (12 read)";
    QTest::newRow("truth value in lower case") << QByteArray(Example).replace("#TRUE#,#TRUE#", "#true#,#TRUE#")
                                               << "field 12: not a truth value (11 read)";
    QTest::newRow("text without its closing quote") << QByteArray("0,0,0,3630,\"/never closed")
                                                    << "field 5: no closing quote (4 read)";
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

    QTest::newRow("example record") << QByteArray("c:\\signs\\") << QByteArray(Example);
    QTest::newRow("Japanese path in code page 932") << QByteArray("/表示/看板/") << with_folder("/\x95\x5c\x8e\xa6/\x8a\xc5\x94\xc2/");
    QTest::newRow("Japanese path longer than 256 bytes")
        << "/" + QByteArray("看板").repeated(100) + "/" << with_folder("/" + QByteArray("\x8a\xc5\x94\xc2").repeated(100) + "/");
    // Code page 932 would give these back as other characters, or not hold them at all.
    QTest::newRow("wave dash") << QByteArray("/〜/") << "\xEF\xBB\xBF" + with_folder("/〜/");
    QTest::newRow("yen sign") << QByteArray("/¥/") << "\xEF\xBB\xBF" + with_folder("/¥/");
    QTest::newRow("accented letter") << QByteArray("/Müller/") << "\xEF\xBB\xBF" + with_folder("/Müller/");
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

void SettingsRecordTest::what_is_written_reads_back_data()
{
    QTest::addColumn<int>("index");
    for (std::size_t index = 0; index < round_trip_records().size(); ++index)
        QTest::newRow(round_trip_records()[index].first) << static_cast<int>(index);
}

void SettingsRecordTest::what_is_written_reads_back()
{
    QFETCH(int, index);
    const SettingsRecord& record = round_trip_records()[static_cast<std::size_t>(index)].second;
    const SettingsRead read = read_settings(write_settings(record));
    QCOMPARE(read.failure, std::string());
    QCOMPARE(fields_of(read.record), fields_of(record));
}

QTEST_APPLESS_MAIN(SettingsRecordTest)
#include "tst_settings_record.moc"
