#pragma once
// Loads a photograph for the picture frame, safely: whatever lies under the
// name (a FIFO, a directory, a truncated or hostile JPEG, a huge photo) ends in
// a picture or a null image, quickly and within a bounded amount of memory.

#include <QImage>
#include <QSize>

#include <filesystem>

namespace guide {

/// The picture at the absolute `path` (opened by its native bytes), upright
/// (EXIF orientation applied) and scaled smoothly to exactly `size` device
/// pixels, its aspect ratio not kept. A null image on any failure.
QImage loadPicture(const std::filesystem::path &path, QSize size);

} // namespace guide
