#pragma once
// A temporary sign folder of generated pictures. Sign i is (10 + i) x (5 + i) pixels, so
// the sign on the bus tells which file it shows by its size alone.
#include <QColor>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <string>

class SignFolder {
public:
    // Writes sign_000.bmp, sign_001.bmp, ... (count files).
    explicit SignFolder(int count = 0)
    {
        for (int i = 0; i < count; ++i)
            add_sign(QString("sign_%1.bmp").arg(i, 3, 10, QChar('0')), i);
    }

    std::string path() const { return m_dir.path().toStdString(); }

    void add_sign(const QString& name, int number, const char* format = "BMP") const
    {
        QImage image(10 + number, 5 + number, QImage::Format_RGB32);
        image.fill(QColor::fromHsv((number * 37) % 360, 200, 220));
        image.save(m_dir.filePath(name), format);
    }

    void add_file(const QString& name, const QByteArray& bytes = "not a picture") const
    {
        QFile file(m_dir.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    }

    void add_folder(const QString& name) const { QDir(m_dir.path()).mkdir(name); }

private:
    QTemporaryDir m_dir;
};

// Which generated sign a width in twips shows; -1 for any other picture.
inline int sign_shown(float width_twips)
{
    const int pixels = static_cast<int>(width_twips / 15);
    return pixels >= 10 && pixels != 52 ? pixels - 10 : -1;
}
