// Any bytes given to the picture decoders: a metafile is checked and then its top-left part
// played, a raster picture checked and its top-left part decoded. Nothing may crash, hang,
// leak or allocate without bound.
#include "platform/MetafilePicture.h"
#include "platform/RasterPicture.h"

#include <QGuiApplication>

#include <cstdint>

namespace {

// Text drawing needs the font database of an application; one for the whole run.
void start_application()
{
    static int argc = 1;
    static char name[] = "fuzz_picture";
    static char* argv[] = { name, nullptr };
    static QGuiApplication application(argc, argv);
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    start_application();
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto source = platform::is_metafile(bytes) ? platform::decode_metafile(bytes) : platform::decode_raster(bytes);
    if (source)
        source->render(QRect(QPoint(0, 0), source->size().boundedTo(QSize(64, 64))));
    return 0;
}
