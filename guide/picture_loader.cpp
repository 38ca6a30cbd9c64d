// The picture loader: the file opened without blocking, decoded once by
// libjpeg-turbo under its own guard (jpeg_decoder.*) at the smallest of 1/8,
// 1/4, 1/2 or full size that covers the frame, then scaled smoothly to the
// frame's exact size and turned upright.
//
// Only JPEG is accepted: every photograph of the guide is a .jpg file, and one
// format means one decoder to keep within bounds.

#include "guide/picture_loader.h"

#include "guide/exif_orientation.h"
#include "guide/jpeg_decoder.h"
#include "guide/picture_file.h"
#include "guide/picture_limits.h"

namespace guide {

QImage loadPicture(const std::filesystem::path &path, QSize size)
{
    if (size.isEmpty())
        return {};
    const PictureFile file = openPictureFile(path, limits::kMaxFileBytes);
    if (!file)
        return {};
    const JpegPicture decoded = decodeJpeg(file.fd(), file.size(), size);
    if (decoded.image.isNull())
        return {};
    // Scaled before it is turned, so a quarter turn scales to the transposed size.
    const QSize stored = isQuarterTurn(decoded.orientation) ? size.transposed() : size;
    const QImage scaled =
        decoded.image.size() == stored
            ? decoded.image
            : decoded.image.scaled(stored, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QImage upright = applyOrientation(scaled, decoded.orientation);
    return upright.format() == QImage::Format_RGB32 ? upright
                                                    : upright.convertToFormat(QImage::Format_RGB32);
}

} // namespace guide
