#pragma once
// The one piece of metadata the loader reads: the EXIF orientation.

#include <cstdint>
#include <span>

namespace guide {

/// The orientation (1 to 8) in the payload of an APP1 segment (after its
/// length): 0 when the segment is not EXIF, 1 when it is but carries no valid
/// orientation. Never reads outside `payload`.
int exifOrientation(std::span<const std::uint8_t> payload);

} // namespace guide
