// The hidden file list behind the sign: which files of a folder it lists, in what order,
// and how it fails.
#include "platform/FileList.h"
#include "platform/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <climits>
#include <cstring>
#include <initializer_list>

#include <sys/stat.h>
#include <unistd.h>

using namespace platform;

namespace {

const std::string SignPattern = "*.bmp;*.wmf;*.emf;*.gif;*.jpg;*.jpeg";

QStringList names(std::initializer_list<const char*> utf8)
{
    QStringList list;
    for (const char* name : utf8)
        list << QString::fromUtf8(name);
    return list;
}

QStringList listed(const FileList& files)
{
    QStringList list;
    for (int i = 0; i < files.list_count(); ++i)
        list << QFile::decodeName(files.list(i).c_str());
    return list;
}

// A scratch folder that is removed with its files.
class Folder {
public:
    QString file(const QString& name) const { return m_dir.filePath(name); }
    std::string path() const { return QFile::encodeName(m_dir.path()).toStdString(); }

    bool add(const QStringList& files) const
    {
        for (const QString& name : files) {
            QFile created(file(name));
            if (!created.open(QIODevice::WriteOnly))
                return false;
        }
        return true;
    }

private:
    QTemporaryDir m_dir;
};

}

class FileListTest : public QObject {
    Q_OBJECT

private slots:
    void lists_matching_names_in_order_data();
    void lists_matching_names_in_order();
    void lists_only_files_and_links_to_them();
    void entry_outside_the_list_is_empty_data();
    void entry_outside_the_list_is_empty();
    void missing_folder_keeps_the_old_list_data();
    void missing_folder_keeps_the_old_list();
    void unreadable_folder_reports_the_system_reason();
    void listing_is_read_once_per_setting();
    void trailing_slash_names_the_same_folder();
    void starts_in_the_working_folder();
    void new_pattern_on_a_vanished_folder_empties_the_list();
    void keeps_the_first_names_a_count_can_hold();
};

void FileListTest::lists_matching_names_in_order_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QStringList>("expected");
    const QString sign = QString::fromStdString(SignPattern);

    QTest::newRow("sign pictures among other files")
        << names({ "b.bmp", "A.gif", "c.txt", "d.JPG" }) << sign << names({ "A.gif", "b.bmp", "d.JPG" });
    QTest::newRow("every picture kind in any case")
        << names({ "f.JpEg", "a.BMP", "c.emf", "e.jpg", "b.Wmf", "d.GIF" }) << sign
        << names({ "a.BMP", "b.Wmf", "c.emf", "d.GIF", "e.jpg", "f.JpEg" });
    QTest::newRow("the extension is the whole end of the name")
        << names({ "a.bmp.txt", "bmp", "xbmp", "x.bmpx", "y.jpeg.bak", "keep.bmp" }) << sign
        << names({ "keep.bmp" });
    QTest::newRow("hidden files stay hidden")
        << names({ ".x.bmp", ".bmp", "shown.bmp" }) << sign << names({ "shown.bmp" });
    QTest::newRow("question mark is one character")
        << names({ "ab.bmp", "a.bmp", "B.BMP" }) << QStringLiteral("?.bmp") << names({ "a.bmp", "B.BMP" });
    QTest::newRow("spaces and empty parts between patterns")
        << names({ "c.jpg", "b.bmp", "a.gif" }) << QStringLiteral(" *.gif ;; *.bmp ;") << names({ "a.gif", "b.bmp" });
    QTest::newRow("no pattern lets every file through")
        << names({ "noext", "a.txt" }) << QString() << names({ "a.txt", "noext" });
    QTest::newRow("names differing only in case")
        << names({ "b.bmp", "aB.bmp", "AB.bmp", "B.bmp", "ab.bmp", "Ab.bmp" }) << sign
        << names({ "AB.bmp", "Ab.bmp", "aB.bmp", "ab.bmp", "B.bmp", "b.bmp" });
    QTest::newRow("case variants made the other way round")
        << names({ "Ab.bmp", "ab.bmp", "B.bmp", "AB.bmp", "aB.bmp", "b.bmp" }) << sign
        << names({ "AB.bmp", "Ab.bmp", "aB.bmp", "ab.bmp", "B.bmp", "b.bmp" });
    // Letters fold to small ones, digits are text, punctuation keeps its code order.
    QTest::newRow("digits and punctuation")
        << names({ "Y.bmp", "_x.bmp", "10.bmp", "9.bmp", "1.bmp", "a_b.bmp", "a.bmp", "a-b.bmp" }) << sign
        << names({ "1.bmp", "10.bmp", "9.bmp", "_x.bmp", "a-b.bmp", "a.bmp", "a_b.bmp", "Y.bmp" });
    QTest::newRow("non-ASCII names")
        << names({ "行先.bmp", "漢字.JPG", "ア.gif", "あ.jpg", "ä.bmp", "Ä.bmp", "b.bmp", "行先.txt" }) << sign
        << names({ "b.bmp", "Ä.bmp", "ä.bmp", "あ.jpg", "ア.gif", "漢字.JPG", "行先.bmp" });
}

void FileListTest::lists_matching_names_in_order()
{
    QFETCH(QStringList, files);
    QFETCH(QString, pattern);
    QFETCH(QStringList, expected);
    const Folder folder;
    QVERIFY(folder.add(files));

    FileList list;
    list.set_pattern(pattern.toStdString());
    list.set_path(folder.path());

    QCOMPARE(listed(list), expected);
    QCOMPARE(list.list_count(), expected.size());
}

void FileListTest::lists_only_files_and_links_to_them()
{
    const Folder folder;
    QVERIFY(folder.add(names({ "a.bmp" })));
    QVERIFY(QDir(folder.file("")).mkdir("folder.bmp"));
    QVERIFY(QFile::link(folder.file("a.bmp"), folder.file("link.bmp")));
    QVERIFY(QFile::link(folder.file("gone.bmp"), folder.file("broken.bmp")));
    QVERIFY(QFile::link(folder.file("folder.bmp"), folder.file("folderlink.bmp")));
    QCOMPARE(::mkfifo(QFile::encodeName(folder.file("pipe.bmp")).constData(), 0600), 0);

    FileList list;
    list.set_pattern(SignPattern);
    list.set_path(folder.path());

    QCOMPARE(listed(list), names({ "a.bmp", "link.bmp" }));
}

void FileListTest::entry_outside_the_list_is_empty_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("before the first") << -1;
    QTest::newRow("the count") << 2;
    QTest::newRow("the largest count") << 32767;
    QTest::newRow("lowest int") << INT_MIN;
    QTest::newRow("highest int") << INT_MAX;
}

void FileListTest::entry_outside_the_list_is_empty()
{
    QFETCH(int, index);
    const Folder folder;
    QVERIFY(folder.add(names({ "a.bmp", "b.bmp" })));
    FileList list;
    list.set_path(folder.path());

    QCOMPARE(list.list(index), std::string());
    QCOMPARE(list.list(1), std::string("b.bmp"));
}

void FileListTest::missing_folder_keeps_the_old_list_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("no such folder") << QStringLiteral("absent");
    QTest::newRow("a file, not a folder") << QStringLiteral("a.bmp");
    QTest::newRow("inside a file") << QStringLiteral("a.bmp/inner");
    QTest::newRow("empty path") << QString();
}

void FileListTest::missing_folder_keeps_the_old_list()
{
    QFETCH(QString, name);
    const Folder folder;
    QVERIFY(folder.add(names({ "a.bmp" })));
    FileList list;
    list.set_path(folder.path());
    const std::string bad_path = name.isEmpty() ? std::string() : QFile::encodeName(folder.file(name)).toStdString();

    try {
        list.set_path(bad_path);
        QFAIL("no error for a missing folder");
    } catch (const RuntimeError& error) {
        QCOMPARE(error.number(), err::PathNotFound);
        QCOMPARE(std::string(error.what()), std::string("Path not found"));
    }
    QCOMPARE(list.path(), folder.path());
    QCOMPARE(listed(list), names({ "a.bmp" }));
}

void FileListTest::unreadable_folder_reports_the_system_reason()
{
    if (::geteuid() == 0)
        QSKIP("root reads every folder");
    const Folder folder;
    QVERIFY(folder.add(names({ "a.bmp" })));
    FileList list;
    list.set_path(folder.path());
    const QString locked = folder.file("locked");
    QVERIFY(QDir(folder.file("")).mkdir("locked"));
    QCOMPARE(::chmod(QFile::encodeName(locked).constData(), 0), 0);

    try {
        list.set_path(QFile::encodeName(locked).toStdString());
        QFAIL("no error for an unreadable folder");
    } catch (const RuntimeError& error) {
        QCOMPARE(error.number(), 75);
        QCOMPARE(std::string(error.what()), std::string(std::strerror(EACCES)));
    }
    QCOMPARE(list.path(), folder.path());
    QCOMPARE(listed(list), names({ "a.bmp" }));
    ::chmod(QFile::encodeName(locked).constData(), 0700); // so that the folder can be removed
}

void FileListTest::listing_is_read_once_per_setting()
{
    const Folder folder;
    QVERIFY(folder.add(names({ "a.bmp" })));
    FileList list;
    list.set_pattern(SignPattern);
    list.set_path(folder.path());
    QVERIFY(folder.add(names({ "b.bmp", "c.txt" })));

    QCOMPARE(listed(list), names({ "a.bmp" }));
    list.set_pattern("*.bmp;*.txt");
    QCOMPARE(listed(list), names({ "a.bmp", "b.bmp", "c.txt" }));
    QVERIFY(folder.add(names({ "d.bmp" })));
    list.set_path(folder.path());
    QCOMPARE(listed(list), names({ "a.bmp", "b.bmp", "c.txt", "d.bmp" }));
}

void FileListTest::trailing_slash_names_the_same_folder()
{
    const Folder folder;
    QVERIFY(folder.add(names({ "b.bmp", "a.bmp" })));
    FileList list;
    list.set_path(folder.path() + "/");

    QCOMPARE(list.path(), folder.path() + "/");
    QCOMPARE(listed(list), names({ "a.bmp", "b.bmp" }));
}

void FileListTest::starts_in_the_working_folder()
{
    const Folder folder;
    QVERIFY(folder.add(names({ "b.txt", "a.bmp" })));
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(folder.file("")));

    const FileList list;
    QDir::setCurrent(previous);

    QCOMPARE(list.pattern(), std::string("*.*"));
    QVERIFY(QDir(QFile::decodeName(list.path().c_str())).isAbsolute());
    QCOMPARE(QFileInfo(QFile::decodeName(list.path().c_str())), QFileInfo(folder.file("")));
    QCOMPARE(listed(list), names({ "a.bmp", "b.txt" }));
}

void FileListTest::new_pattern_on_a_vanished_folder_empties_the_list()
{
    FileList list;
    {
        const Folder folder;
        QVERIFY(folder.add(names({ "a.bmp" })));
        list.set_path(folder.path());
    }
    list.set_pattern(SignPattern);

    QCOMPARE(list.pattern(), SignPattern);
    QCOMPARE(list.list_count(), 0);
}

void FileListTest::keeps_the_first_names_a_count_can_hold()
{
    constexpr int files = 32800;
    const Folder folder;
    QStringList made;
    for (int i = files - 1; i >= 0; --i) // made last first, so the disk order is not the list order
        made << QStringLiteral("sign%1.bmp").arg(i, 5, 10, QLatin1Char('0'));
    QVERIFY(folder.add(made));
    FileList list;
    list.set_pattern(SignPattern);
    list.set_path(folder.path());

    QCOMPARE(list.list_count(), 32767);
    for (int i = 0; i < 32767; ++i) {
        if (list.list(i) != QStringLiteral("sign%1.bmp").arg(i, 5, 10, QLatin1Char('0')).toStdString())
            QFAIL(qPrintable(QStringLiteral("entry %1 is %2").arg(i).arg(QString::fromStdString(list.list(i)))));
    }
    QCOMPARE(list.list(32767), std::string());
}

QTEST_GUILESS_MAIN(FileListTest)
#include "tst_filelist.moc"
