// The maker's library: the address of the page shipped with the program, found from the
// library's own file beside it in the build tree or under share/ when installed, given as a
// file:// address in plain ASCII that names the page's real path.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <algorithm>
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
    void installed_library_finds_the_installed_page();
};

// Installed below a folder whose name needs escaping in an address. The build tree keeps the
// page beside the library instead, as e2e_version sees.
void MakerLibraryTest::installed_library_finds_the_installed_page()
{
    QTemporaryDir temporary;
    const QString root = QDir(temporary.path()).canonicalPath() + "/ずばら 堂 #%?&";
    const QString library = root + "/usr/lib/qk31t0207/libKQZ5Res.so", page = root + "/usr/share/qk31t0207/maker-page/index.html";
    QVERIFY(put_file(MAKER_LIBRARY, library));
    QVERIFY(put_file(MAKER_PAGE, page));
    const QString address = address_of(library);
    QVERIFY2(plain_ascii(address) && address.startsWith("file:///"), qPrintable(address));
    QCOMPARE(QUrl(address, QUrl::StrictMode).toLocalFile(), page);
}

QTEST_MAIN(MakerLibraryTest)
#include "tst_maker_library.moc"
