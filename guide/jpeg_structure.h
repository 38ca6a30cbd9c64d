#pragma once
// A walk over the marker structure of a JPEG file, without decoding it: what
// the picture loader checks before it lets the decoder near the bytes. The
// decoder takes a cut-off file for whole, spends a long time on thousands of
// scans and trusts the declared size; the walk finds all three cheaply.

#include <cstdint>
#include <span>

class QIODevice;

namespace guide {

/// How the walk over the markers ended.
enum class JpegEnd {
    Eoi,       ///< reached the end-of-image marker; bytes after it are not looked at
    Truncated, ///< the bytes ran out inside a segment or the entropy-coded data
    Malformed, ///< a marker or segment that cannot stand where it is
    NotJpeg,   ///< does not start with the start-of-image marker
};

struct JpegStructure
{
    JpegEnd end = JpegEnd::NotJpeg;
    int width = 0;  ///< pixels, from the frame header; 0 when no frame header was met
    int height = 0; ///< pixels; 0 also when the frame leaves the height to a later marker
    int scans = 0;  ///< start-of-scan segments met before the walk ended
};

/// Walks the markers of `bytes` from the start of image to the end of image,
/// stepping over segments by their lengths and through entropy-coded data
/// (stuffed bytes, restart markers, fill bytes). Never reads outside `bytes`.
JpegStructure scanJpegStructure(std::span<const std::uint8_t> bytes);

/// The same walk over what `device` reads from its current position on, through
/// a small window: the bytes are never all in memory at once.
JpegStructure scanJpegStructure(QIODevice &device);

} // namespace guide
