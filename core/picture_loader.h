#pragma once
// Loads a photograph for the picture frame, safely: whatever lies under the
// name (a FIFO, a directory, a truncated or hostile JPEG, a huge photo) ends in
// a picture or a null image, quickly and within a bounded amount of memory.

#include <filesystem>

#include "core/picture.h"

namespace guide {

/// The picture at the absolute `path` (opened by its native bytes), upright
/// (EXIF orientation applied) and scaled smoothly to exactly `size` device
/// pixels, its aspect ratio not kept. A null picture on any failure.
Picture loadPicture(const std::filesystem::path &path, Size size);

} // namespace guide
