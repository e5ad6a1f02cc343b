// Text records on a machine without a code page's converter: marks instead of refusing a
// sound file.
#include "platform/metafile/MetafileText.h"

namespace platform {

DecodedText decode_ansi_text_or_marks(Bytes bytes, int charset)
{
    try {
        return decode_ansi_text(bytes, charset);
    } catch (const MissingConverter&) {
        return DecodedText { std::vector<QString>(bytes.size(), QStringLiteral("?")),
                             std::vector<std::size_t>(bytes.size(), 1) };
    }
}

}
