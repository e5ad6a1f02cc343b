// The hidden file list behind the sign: which files of a folder it lists, in what order,
// and how it fails.
#include "platform/system/FileList.h"
#include "platform/system/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>

#include <sys/stat.h>
#include <unistd.h>

using namespace platform;

namespace {

const std::string SignPattern = "*.bmp;*.wmf;*.emf;*.gif;*.jpg;*.jpeg";

// Names written in one string, a space between each.
QStringList names(const char* spaced) { return QString::fromUtf8(spaced).split(' ', Qt::SkipEmptyParts); }

QStringList listed(const FileList& files)
{
    QStringList list;
    for (int i = 0; i < files.list_count(); ++i)
        list << QFile::decodeName(files.list(i).c_str());
    return list;
}

// A scratch folder that is removed with its files.
struct Folder {
    QTemporaryDir dir;

    QByteArray file(const QString& name) const { return QFile::encodeName(dir.filePath(name)); }
    std::string path() const { return QFile::encodeName(dir.path()).toStdString(); }
    bool add(const QStringList& files) const
    {
        return std::all_of(files.begin(), files.end(),
            [this](const QString& name) { return QFile(dir.filePath(name)).open(QIODevice::WriteOnly); });
    }
};

// The folder read the way the sign reads it: pattern first, then the folder.
FileList listing(const Folder& folder, const std::string& pattern = SignPattern)
{
    FileList list;
    list.set_pattern(pattern);
    list.set_path(folder.path());
    return list;
}

}

class FileListTest : public QObject {
    Q_OBJECT

private slots:
    void lists_matching_names_in_order_data();
    void lists_matching_names_in_order();
    void lists_only_files_and_links_to_them();
    void unusable_folder_keeps_the_old_list_data();
    void unusable_folder_keeps_the_old_list();
    void starts_in_the_working_folder_and_reads_on_each_setting();
    void keeps_the_first_names_a_count_can_hold();
    void names_keep_their_bytes();
};

void FileListTest::lists_matching_names_in_order_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QStringList>("expected");
    const QString sign = QString::fromStdString(SignPattern);

    QTest::newRow("every picture kind in any case, as the whole end of the name")
        << names("f.JpEg a.BMP c.emf e.jpg b.Wmf d.GIF c.txt a.bmp.txt bmp xbmp x.bmpx y.jpeg.bak") << sign
        << names("a.BMP b.Wmf c.emf d.GIF e.jpg f.JpEg");
    QTest::newRow("hidden files stay hidden") << names(".x.bmp .bmp shown.bmp") << sign << names("shown.bmp");
    QTest::newRow("question mark is one character; spaces and empty parts between patterns")
        << names("ab.bmp a.bmp B.BMP c.jpg x.gif") << " ?.bmp ;; *.gif ;" << names("a.bmp B.BMP x.gif");
    QTest::newRow("no pattern lets every file through") << names("noext a.txt") << QString() << names("a.txt noext");
    // Names equal but for case still come in one fixed order.
    QTest::newRow("names differing only in case")
        << names("b.bmp aB.bmp AB.bmp B.bmp ab.bmp Ab.bmp") << sign << names("AB.bmp Ab.bmp aB.bmp ab.bmp B.bmp b.bmp");
    // Letters fold to small ones, digits are text, punctuation keeps its code order.
    QTest::newRow("digits and punctuation")
        << names("Y.bmp _x.bmp 10.bmp 9.bmp 1.bmp a_b.bmp a.bmp a-b.bmp") << sign
        << names("1.bmp 10.bmp 9.bmp _x.bmp a-b.bmp a.bmp a_b.bmp Y.bmp");
    QTest::newRow("non-ASCII names")
        << names("行先.bmp 漢字.JPG ア.gif あ.jpg ä.bmp Ä.bmp b.bmp 行先.txt") << sign
        << names("b.bmp Ä.bmp ä.bmp あ.jpg ア.gif 漢字.JPG 行先.bmp");
}

void FileListTest::lists_matching_names_in_order()
{
    QFETCH(QStringList, files);
    QFETCH(QString, pattern);
    QFETCH(QStringList, expected);
    // Made in the order given and the other way round, so that no order made shows through.
    for (const QStringList& made : { files, QStringList(files.crbegin(), files.crend()) }) {
        const Folder folder;
        QVERIFY(folder.add(made));
        QCOMPARE(listed(listing(folder, pattern.toStdString())), expected);
    }
}

void FileListTest::lists_only_files_and_links_to_them()
{
    const Folder folder;
    QVERIFY(folder.add(names("a.bmp")));
    QCOMPARE(::mkdir(folder.file("folder.bmp"), 0700), 0);
    QCOMPARE(::symlink("a.bmp", folder.file("link.bmp")), 0);
    QCOMPARE(::symlink("gone.bmp", folder.file("broken.bmp")), 0);
    QCOMPARE(::symlink("folder.bmp", folder.file("folderlink.bmp")), 0);
    QCOMPARE(::mkfifo(folder.file("pipe.bmp"), 0600), 0);

    QCOMPARE(listed(listing(folder)), names("a.bmp link.bmp"));
}

void FileListTest::unusable_folder_keeps_the_old_list_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("message");
    const QString not_found = QStringLiteral("Path not found");

    QTest::newRow("no such folder") << "absent" << err::PathNotFound << not_found;
    QTest::newRow("a file, not a folder") << "a.bmp" << err::PathNotFound << not_found;
    QTest::newRow("empty path") << QString() << err::PathNotFound << not_found;
    // Unlike a locked folder, a link to itself cannot be read even by root.
    QTest::newRow("link to itself") << "loop" << err::PathFileAccessError << QString(std::strerror(ELOOP));
}

void FileListTest::unusable_folder_keeps_the_old_list()
{
    QFETCH(QString, name);
    QFETCH(int, number);
    QFETCH(QString, message);
    const Folder folder;
    QVERIFY(folder.add(names("a.bmp")));
    QCOMPARE(::symlink("loop", folder.file("loop")), 0);
    FileList list = listing(folder);

    try {
        list.set_path(name.isEmpty() ? std::string() : folder.file(name).toStdString());
        QFAIL("no error");
    } catch (const RuntimeError& error) {
        QCOMPARE(error.number(), number);
        QCOMPARE(QString(error.what()), message);
    }
    QCOMPARE(list.path(), folder.path());
    QCOMPARE(listed(list), names("a.bmp"));
}

// Set up in the working folder; after that only a new setting reads the folder again, and
// one gone since leaves nothing to list.
void FileListTest::starts_in_the_working_folder_and_reads_on_each_setting()
{
    Folder folder;
    QVERIFY(folder.add(names("a.bmp")));
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(folder.dir.path()));
    FileList list;
    QDir::setCurrent(previous); // so that a name relative to the folder points elsewhere
    QCOMPARE(listed(list), names("a.bmp"));
    QVERIFY(folder.add(names("b.bmp")));
    QCOMPARE(listed(list), names("a.bmp"));
    list.set_path(folder.path());
    QCOMPARE(listed(list), names("a.bmp b.bmp"));

    QVERIFY(folder.dir.remove());
    list.set_pattern(SignPattern);
    QCOMPARE(list.list_count(), 0);
}

void FileListTest::keeps_the_first_names_a_count_can_hold()
{
    QStringList made;
    for (int i = 32800 - 1; i >= 0; --i) // last first, so that the order made is not the list order
        made << QStringLiteral("sign%1.bmp").arg(i, 5, 10, QLatin1Char('0'));
    const Folder folder;
    QVERIFY(folder.add(made));

    QCOMPARE(listed(listing(folder)), QStringList(made.crbegin(), made.crbegin() + 32767));
}

// Names that are no valid UTF-8 are listed as the bytes they are, so that they can be opened.
void FileListTest::names_keep_their_bytes()
{
    const Folder folder;
    const std::string odd = "\xff\xfe sign \x93\x8c.bmp", plain = "b.bmp";
    for (const std::string& name : { odd, plain })
        QVERIFY(std::ofstream(folder.path() + "/" + name));
    const FileList list = listing(folder);
    QCOMPARE(list.list_count(), 2);
    QCOMPARE(list.list(0), plain);
    QCOMPARE(list.list(1), odd);
    ::unlink((folder.path() + "/" + odd).c_str()); // a name Qt cannot give back to the system
}

QTEST_GUILESS_MAIN(FileListTest)
#include "tst_filelist.moc"
