// Writes the program's icon into a hicolor icon theme tree for desktop menus and
// software centres. Every size comes from the one 32 × 32 artwork, and every
// pixel of every size is a pixel of the artwork, so the pixel art stays crisp
// instead of being blurred by the desktop's scaler:
//
//   16 × 16   the computer without the title (no title can be read at this
//             size), every second pixel of it in both directions, centred;
//   24 × 24   the computer without the title at full size, less the columns most
//             like their right-hand neighbours until it fits, centred;
//   32 × 32   the artwork as drawn;
//   48 × 48   the artwork at 3:2, nearest pixel: every other pixel repeated;
//   64, 128, 256   the artwork with each pixel repeated 2, 4 and 8 times.
//
// Usage: mirteka_icons THEME_DIR  (writes THEME_DIR/NxN/apps/mirteka.png)

#include <QDir>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QRect>
#include <cstdio>
#include <cstdlib>

#include "qt/resources/app_icon.h"

namespace {

bool rowIsEmpty(const QImage &image, int y)
{
    for (int x = 0; x < image.width(); ++x) {
        if (qAlpha(image.pixel(x, y)) != 0) {
            return false;
        }
    }
    return true;
}

// The artwork below the title: the opaque pixels under the first empty row that
// follows a drawn one.
QImage motif(const QImage &artwork)
{
    int top = 0;
    while (top < artwork.height() && rowIsEmpty(artwork, top)) {
        ++top;
    }
    while (top < artwork.height() && !rowIsEmpty(artwork, top)) {
        ++top;
    }
    QRect bounds;
    for (int y = top; y < artwork.height(); ++y) {
        for (int x = 0; x < artwork.width(); ++x) {
            if (qAlpha(artwork.pixel(x, y)) != 0) {
                bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    return bounds.isEmpty() ? artwork : artwork.copy(bounds);
}

// Nearest pixel: target pixel d takes source pixel floor((d + ½) · source / target).
QImage nearest(const QImage &source, QSize size)
{
    QImage out(size, QImage::Format_ARGB32);
    for (int y = 0; y < size.height(); ++y) {
        const int sy = ((2 * y + 1) * source.height()) / (2 * size.height());
        for (int x = 0; x < size.width(); ++x) {
            const int sx = ((2 * x + 1) * source.width()) / (2 * size.width());
            out.setPixel(x, y, source.pixel(sx, sy));
        }
    }
    return out;
}

int columnDifference(const QImage &image, int x)
{
    int differing = 0;
    for (int y = 0; y < image.height(); ++y) {
        differing += image.pixel(x, y) != image.pixel(x + 1, y) ? 1 : 0;
    }
    return differing;
}

// Every second pixel in both directions, starting with the first.
QImage halved(const QImage &source)
{
    QImage out((source.width() + 1) / 2, (source.height() + 1) / 2, QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        for (int x = 0; x < out.width(); ++x) {
            out.setPixel(x, y, source.pixel(2 * x, 2 * y));
        }
    }
    return out;
}

// Drops whole columns, each time the one most like its right-hand neighbour
// (the middlemost of equals), until the image is at most `width` wide.
QImage dropColumns(QImage image, int width)
{
    while (image.width() > width) {
        int drop = 0;
        int best = image.height() + 1;
        int bestDistance = image.width();
        for (int x = 0; x + 1 < image.width(); ++x) {
            const int difference = columnDifference(image, x);
            const int distance = std::abs(2 * x - image.width());
            if (difference < best || (difference == best && distance < bestDistance)) {
                drop = x;
                best = difference;
                bestDistance = distance;
            }
        }
        QImage narrower(image.width() - 1, image.height(), QImage::Format_ARGB32);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < narrower.width(); ++x) {
                narrower.setPixel(x, y, image.pixel(x < drop ? x : x + 1, y));
            }
        }
        image = narrower;
    }
    return image;
}

QImage centred(const QImage &image, int side)
{
    QImage out(side, side, QImage::Format_ARGB32);
    out.fill(Qt::transparent);
    QPainter painter(&out);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage((side - image.width()) / 2, (side - image.height()) / 2, image);
    return out;
}

bool save(const QImage &icon, const QString &themeDir)
{
    const QString dir =
        QStringLiteral("%1/%2x%3/apps").arg(themeDir).arg(icon.width()).arg(icon.height());
    const QString file = dir + QStringLiteral("/mirteka.png");
    if (!QDir().mkpath(dir) || !icon.save(file, "PNG")) {
        std::fprintf(stderr, "mirteka_icons: cannot write %s\n", qPrintable(file));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: mirteka_icons THEME_DIR\n");
        return 2;
    }
    const QString themeDir = QString::fromLocal8Bit(argv[1]);
    const QImage artwork = resources::appIconImage().convertToFormat(QImage::Format_ARGB32);
    const QImage computer = motif(artwork);

    QList<QImage> icons;
    icons.append(centred(halved(computer), 16));
    // The computer is 22 pixels high: only its width needs to shrink.
    icons.append(centred(dropColumns(computer, 24), 24));
    icons.append(artwork);
    for (const int side : {48, 64, 128, 256}) {
        icons.append(nearest(artwork, QSize(side, side)));
    }
    for (const QImage &icon : icons) {
        if (!save(icon, themeDir)) {
            return 1;
        }
    }
    return 0;
}
