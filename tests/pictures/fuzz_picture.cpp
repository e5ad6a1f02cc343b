// Any bytes given to the picture decoders: a metafile is checked and then its top-left part
// played, a drawing or a raster picture checked and its top-left part made, an animation's
// first frames decoded. Nothing may crash, hang, leak or allocate without bound.
#include "platform/codec/Animation.h"
#include "platform/codec/RasterPicture.h"
#include "platform/codec/SvgPicture.h"
#include "platform/metafile/MetafilePicture.h"

#include <QGuiApplication>

#include <cstdint>

namespace {

// Text drawing needs the font database of an application; one for the whole run, never
// destroyed: libFuzzer ends the process from inside a run, before static objects could go.
void start_application()
{
    static int argc = 1;
    static char name[] = "fuzz_picture";
    static char* argv[] = { name, nullptr };
    static const QGuiApplication* application = new QGuiApplication(argc, argv);
    (void)application;
}

}

// fontconfig (a system library) keeps its font patterns to the end of the process.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    start_application();
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto source = platform::is_metafile(bytes) ? platform::decode_metafile(bytes)
        : platform::is_svg(bytes)                    ? platform::decode_svg(bytes)
                                                     : platform::decode_raster(bytes);
    if (source)
        source->render(QRect(QPoint(0, 0), source->size().boundedTo(QSize(64, 64))));
    if (const auto animation = platform::decode_animation(bytes)) {
        const auto frames = animation->frames();
        for (int frame = 0; frames && frame < 20 && frames->next(); ++frame) { }
    }
    return 0;
}
