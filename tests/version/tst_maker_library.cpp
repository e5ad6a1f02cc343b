// The maker's library: the address of the page shipped with the program, found from the
// library's own file beside it in the build tree or under share/ when installed, given as a
// file:// address in plain ASCII that names the page's real path.
#include <QDir>
#include <algorithm>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <cstdlib>
#include <dlfcn.h>

namespace {

// The address the library at `file` gives; "" when it cannot be asked.
QString address_of(const QString& file)
{
    void* library = dlopen(QFile::encodeName(file).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return {};
    const auto function = reinterpret_cast<char* (*)()>(dlsym(library, "ZubaradoHpURL"));
    char* text = function ? function() : nullptr;
    const QString address = text ? QString::fromLatin1(text) : QString();
    std::free(text);
    dlclose(library);
    return address;
}

bool plain_ascii(const QString& text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c > u' ' && c < u'\x7f'; });
}

bool put_file(const QString& from, const QString& to)
{
    return QDir().mkpath(QFileInfo(to).path()) && QFile::copy(from, to);
}

}

class MakerLibraryTest : public QObject {
    Q_OBJECT

private slots:
    void page_found_from_the_library_file_data();
    void page_found_from_the_library_file();
};

void MakerLibraryTest::page_found_from_the_library_file_data()
{
    // Places below a folder whose name needs escaping in an address; "" puts no page there.
    QTest::addColumn<QString>("library");
    QTest::addColumn<QStringList>("pages");
    QTest::addColumn<QString>("named");
    const QString lib = "usr/lib/qk31t0207/", beside = lib + "maker-page/index.html",
                  shared = "usr/share/qk31t0207/maker-page/index.html";
    // The built page: e2e_version; the installed one: the package test.
    QTest::newRow("build tree") << "build/libKQZ5Res.so" << QStringList { "build/maker-page/index.html" }
                                << "build/maker-page/index.html";
    QTest::newRow("installed") << lib + "libKQZ5Res.so" << QStringList { shared } << shared;
    QTest::newRow("beside wins") << lib + "libKQZ5Res.so" << QStringList { shared, beside } << beside;
    QTest::newRow("no page: the installed place") << lib + "libKQZ5Res.so" << QStringList {}
                                                  << lib + "../../share/qk31t0207/maker-page/index.html";
}

void MakerLibraryTest::page_found_from_the_library_file()
{
    QFETCH(QString, library);
    QFETCH(QStringList, pages);
    QFETCH(QString, named);
    QTemporaryDir temporary;
    const QString root = QDir(temporary.path()).canonicalPath() + "/ずばら 堂 #%?&";
    QVERIFY(put_file(MAKER_LIBRARY, root + "/" + library));
    for (const QString& page : pages)
        QVERIFY(put_file(MAKER_PAGE, root + "/" + page));
    const QString address = address_of(root + "/" + library);
    QVERIFY2(plain_ascii(address) && address.startsWith("file:///"), qPrintable(address));
    QCOMPARE(QUrl(address, QUrl::StrictMode).toLocalFile(), root + "/" + named);
}

QTEST_MAIN(MakerLibraryTest)
#include "tst_maker_library.moc"
