// The icon is XPM text compiled in; the larger size is a whole-pixel
// enlargement so it stays pixel art, only the 16 px one is smoothed down.

#include "qt/resources/app_icon.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>

// XPM is C: included, it is parsed straight from the array, without an image
// reader that would first look through every image format plug-in.
#include "mirteka_icon.xpm"

namespace resources {

namespace {

constexpr int kSize = 32;
// Window icons go to the window manager whole, every size in every window's
// properties at start-up: up to 64 px covers title bars and task lists at
// scale factor 2. Larger pictures of the icon come from the icon theme.
constexpr int kEnlargements[] = {2}; // 64 px

} // namespace

QImage appIconImage()
{
    // Read once: parsing XPM text is slow, and both windows ask for it.
    static const QImage image = [] {
        const QImage xpm(mirteka_icon);
        Q_ASSERT(xpm.size() == QSize(kSize, kSize));
        return xpm.convertToFormat(QImage::Format_ARGB32);
    }();
    return image;
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
