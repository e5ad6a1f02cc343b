#pragma once
// What one picture may cost, shared by every decoder and player: a picture past any of these
// is refused before it is decoded, like a damaged one.
#include <cstddef>
#include <cstdint>

namespace platform {

// The most memory one picture may take: its file's bytes, which are kept, and what decoding
// it needs at once.
inline constexpr std::int64_t MaxPictureBytes = 256LL * 1024 * 1024;
// The most pixels of a raster picture file.
inline constexpr std::int64_t MaxPicturePixels = 16384LL * 16384LL;
// A picture of up to this many pixels is decoded whole when first shown; a bigger one only
// where it is shown.
inline constexpr std::int64_t WholePicturePixels = 1024 * 1024;
// The widest and highest metafile, in pixels.
inline constexpr int MaxMetafileSide = 8192;
// The most records a metafile is played for.
inline constexpr std::size_t MaxMetafileRecords = 2'000'000;
// The most pixels of a bitmap inside a metafile.
inline constexpr std::int64_t MaxDibPixels = 4096LL * 4096LL;
// The widest and highest drawing (SVG), in pixels, and what it may hold: a drawing's cost is
// known only once it is drawn, so its file and its elements are bounded instead.
inline constexpr int MaxDrawingSide = 8192;
inline constexpr std::int64_t MaxDrawingFileBytes = 4LL * 1024 * 1024;
inline constexpr int MaxDrawingElements = 20'000;
// The most frames an animation plays, each decoded as it is shown.
inline constexpr int MaxAnimationFrames = 10'000;

}
