// The icon is kept as XPM text in the resources; larger sizes are whole-pixel
// enlargements so it stays pixel art, only the 16 px one is smoothed down.

#include "resources/app_icon.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>

namespace resources {

namespace {

constexpr int kSize = 32;
constexpr int kEnlargements[] = {2, 4, 8}; // 64, 128 and 256 px

} // namespace

QImage appIconImage()
{
    const QImage image(QStringLiteral(":/mirteka_icon.xpm"));
    Q_ASSERT(image.size() == QSize(kSize, kSize));
    return image.convertToFormat(QImage::Format_ARGB32);
}

QIcon appIcon()
{
    const QImage image = appIconImage();
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(
        image.scaled(kSize / 2, kSize / 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    icon.addPixmap(QPixmap::fromImage(image));
    for (const int factor : kEnlargements) {
        icon.addPixmap(QPixmap::fromImage(image.scaled(
            kSize * factor, kSize * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation)));
    }
    return icon;
}

} // namespace resources
