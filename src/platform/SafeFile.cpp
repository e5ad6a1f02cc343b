#include "platform/SafeFile.h"

#include "platform/RuntimeError.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace platform {

namespace {

// Qt's own commit replaces the old file even after a failed write (seen with Qt 6.4 under
// a file-size limit), so every step is checked here and a failure cancels the commit.
void write_all(QSaveFile& file, std::string_view bytes)
{
    const auto size = static_cast<qint64>(bytes.size());
    errno = 0;
    if (file.write(bytes.data(), size) == size && file.flush() && ::fsync(file.handle()) == 0)
        return;
    // Qt does not always say why ("Unknown error" for a write cut short): the system does.
    const std::string failure = errno != 0 ? std::strerror(errno) : file.errorString().toStdString();
    file.cancelWriting();
    file.commit(); // cancelled: only removes the new file
    throw RuntimeError(err::DeviceIOError, failure);
}

}

void save_file_safely(const std::string& path, std::string_view bytes)
{
    const QString name = QFile::decodeName(path.c_str());
    errno = 0;
    if (!QDir().mkpath(QFileInfo(name).absolutePath()))
        throw RuntimeError(err::PathFileAccessError, std::strerror(errno != 0 ? errno : EACCES));
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly))
        throw RuntimeError(err::PathFileAccessError, file.errorString().toStdString());
    write_all(file, bytes);
    if (!file.commit())
        throw RuntimeError(err::PathFileAccessError, file.errorString().toStdString());
}

}
