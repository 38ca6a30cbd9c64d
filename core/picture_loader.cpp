// The picture loader: the file opened without blocking, decoded once by
// libjpeg-turbo under its own guard (jpeg_decoder.*) at the smallest of 1/8,
// 1/4, 1/2 or full size that covers the frame, then scaled smoothly to the
// frame's exact size and turned upright.
//
// Only JPEG is accepted: every photograph of the guide is a .jpg file, and one
// format means one decoder to keep within bounds.

#include "core/picture_loader.h"

#include "core/exif_orientation.h"
#include "core/jpeg_decoder.h"
#include "core/picture_file.h"
#include "core/picture_limits.h"

namespace guide {

Picture loadPicture(const std::filesystem::path &path, Size size)
{
    if (size.isEmpty())
        return {};
    const PictureFile file = openPictureFile(path);
    if (!file)
        return {};
    const JpegPicture decoded = decodeJpeg(file.fd(), file.size(), size);
    if (decoded.image.isNull())
        return {};
    // Scaled before it is turned, so a quarter turn scales to the transposed size.
    const Size stored = isQuarterTurn(decoded.orientation) ? size.transposed() : size;
    return applyOrientation(scaleSmoothly(decoded.image, stored), decoded.orientation);
}

} // namespace guide
