#include "platform/system/Resources.h"

#include "platform/system/RuntimeError.h"

#include <QFile>
#include <QString>

namespace platform {

namespace {

bool is_wave_type(std::string_view type)
{
    return QString::fromUtf8(type.data(), static_cast<qsizetype>(type.size()))
               .compare(QLatin1String("WAVE"), Qt::CaseInsensitive)
        == 0;
}

}

std::vector<std::uint8_t> LoadResData(int id, std::string_view type)
{
    if (is_wave_type(type)) {
        QFile file(QString::fromStdString(asset_path("wave" + std::to_string(id) + ".wav")));
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = file.readAll();
            return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
        }
    }
    throw RuntimeError(err::ResourceNotFound, "Resource with identifier '" + std::to_string(id) + "' not found");
}

std::string asset_path(std::string_view file)
{
    return ":/assets/" + std::string(file);
}

}
