#pragma once
// Writes images as an icon file: below 256 px each a classic entry, 4 bits per
// pixel in the standard 16-colour palette with the 1-bit AND mask for
// transparency; at 256 px a PNG entry.

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

class QImage;

namespace icon {

/// The .ico bytes for `images`, one entry each in the order given, or nothing
/// (with the reason in `error`) if a pixel is half transparent or not a palette
/// colour, or an image is larger than an icon entry can describe (256 px).
std::optional<QByteArray> encodeIco(const QList<QImage> &images, QString *error = nullptr);

/// The .ico bytes for one image.
std::optional<QByteArray> encodeIco(const QImage &image, QString *error = nullptr);

} // namespace icon
