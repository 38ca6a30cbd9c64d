#pragma once
// Loads a photograph for the picture frame, safely: whatever lies under the
// name (a FIFO, a directory, a truncated or hostile JPEG, a huge photo) ends in
// a picture or a null image, quickly and within a bounded amount of memory.

#include <QImage>
#include <QSize>
#include <QString>

namespace guide {

/// The picture at `path`, upright (EXIF orientation applied) and decoded
/// straight to exactly `size` device pixels, its aspect ratio not kept.
/// A null image on any failure.
QImage loadPicture(const QString &path, QSize size);

} // namespace guide
