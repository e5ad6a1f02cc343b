#include "platform/codec/PictureFormat.h"

#include <QImageReader>

#include <utility>

namespace platform {

namespace {

// An SVG drawing is XML whose svg element begins near the start.
bool is_svg_text(const QByteArray& bytes)
{
    constexpr qsizetype Prologue = 4096;
    const QByteArray start = bytes.left(Prologue);
    const QByteArray text = start.startsWith("\xEF\xBB\xBF") ? start.mid(3) : start;
    return text.trimmed().startsWith('<') && text.contains("<svg");
}

}

QByteArray signature_format(const QByteArray& bytes)
{
    static const std::pair<QByteArray, const char*> signatures[] {
        { "BM", "bmp" }, { "\xFF\xD8\xFF", "jpeg" }, { "GIF8", "gif" }, { "\x89PNG\r\n\x1A\n", "png" },
    };
    for (const auto& [signature, format] : signatures) {
        if (bytes.startsWith(signature))
            return format;
    }
    if (bytes.startsWith("RIFF") && bytes.mid(8, 4) == "WEBP")
        return "webp";
    return is_svg_text(bytes) ? "svg" : QByteArray();
}

void read_by_signature(QImageReader& reader, const QByteArray& bytes)
{
    const QByteArray format = signature_format(bytes);
    if (format.isEmpty()) {
        reader.setDecideFormatFromContent(true);
        return;
    }
    reader.setFormat(format);
    reader.setAutoDetectImageFormat(false);
}

}
