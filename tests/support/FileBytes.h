#pragma once
// A file's bytes, for comparing with what a test expects; nothing when it cannot be read.
#include <QFile>

inline QByteArray file_bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
