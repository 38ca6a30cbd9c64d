#pragma once
// Writes an image as a classic icon file: one entry, 4 bits per pixel in the
// standard 16-colour palette, with the 1-bit AND mask for transparency.

#include <QByteArray>
#include <QString>

#include <optional>

class QImage;

namespace icon {

/// The .ico bytes for `image`, or nothing (with the reason in `error`) if a
/// pixel is half transparent or not a palette colour, or the image is larger
/// than an icon entry can describe (256 px).
std::optional<QByteArray> encodeIco(const QImage &image, QString *error = nullptr);

} // namespace icon
