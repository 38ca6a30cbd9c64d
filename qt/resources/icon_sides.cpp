// Pixel art keeps its look when sizes change by whole pixels only: pixels are
// taken, left out or doubled, never mixed. Doubling looks at each pixel's four
// neighbours (the EPX rule): a corner of a diagonal is filled from the two
// sides that agree, so a slanted stroke stays a stroke twice as fine.

#include "qt/resources/icon_sides.h"

#include <QPainter>

#include <algorithm>
#include <cstdlib>

namespace resources {

namespace {

constexpr int kArtworkSide = 32;

bool rowIsEmpty(const QImage &image, int y)
{
    for (int x = 0; x < image.width(); ++x) {
        if (qAlpha(image.pixel(x, y)) != 0)
            return false;
    }
    return true;
}

// The artwork below the title: the opaque pixels under the first empty row that
// follows a drawn one.
QImage computer(const QImage &artwork)
{
    int top = 0;
    while (top < artwork.height() && rowIsEmpty(artwork, top))
        ++top;
    while (top < artwork.height() && !rowIsEmpty(artwork, top))
        ++top;
    QRect bounds;
    for (int y = top; y < artwork.height(); ++y) {
        for (int x = 0; x < artwork.width(); ++x) {
            if (qAlpha(artwork.pixel(x, y)) != 0)
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds.isEmpty() ? artwork : artwork.copy(bounds);
}

// Every second pixel in both directions, starting with the first.
QImage halved(const QImage &source)
{
    QImage out((source.width() + 1) / 2, (source.height() + 1) / 2, QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        for (int x = 0; x < out.width(); ++x)
            out.setPixel(x, y, source.pixel(2 * x, 2 * y));
    }
    return out;
}

// Each pixel as four, each of the four taking the colour of the two neighbours
// on its side when they agree and the other two do not.
QImage doubled(const QImage &source)
{
    const int w = source.width(), h = source.height();
    const auto at = [&](int x, int y) {
        return source.pixel(std::clamp(x, 0, w - 1), std::clamp(y, 0, h - 1));
    };
    QImage out(2 * w, 2 * h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const QRgb e = at(x, y), b = at(x, y - 1), d = at(x - 1, y), f = at(x + 1, y),
                       hh = at(x, y + 1);
            out.setPixel(2 * x, 2 * y, d == b && b != f && d != hh ? d : e);
            out.setPixel(2 * x + 1, 2 * y, b == f && b != d && f != hh ? f : e);
            out.setPixel(2 * x, 2 * y + 1, d == hh && d != b && hh != f ? d : e);
            out.setPixel(2 * x + 1, 2 * y + 1, hh == f && d != hh && b != f ? f : e);
        }
    }
    return out;
}

int columnDifference(const QImage &image, int x)
{
    int differing = 0;
    for (int y = 0; y < image.height(); ++y)
        differing += image.pixel(x, y) != image.pixel(x + 1, y) ? 1 : 0;
    return differing;
}

QImage transposed(const QImage &image)
{
    QImage out(image.height(), image.width(), QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            out.setPixel(y, x, image.pixel(x, y));
    }
    return out;
}

// Leaves out whole columns, each time the one most like its right-hand
// neighbour (the middlemost of equals), until the image is at most `width` wide.
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
            for (int x = 0; x < narrower.width(); ++x)
                narrower.setPixel(x, y, image.pixel(x < drop ? x : x + 1, y));
        }
        image = narrower;
    }
    return image;
}

QImage fitted(const QImage &image, int side)
{
    return transposed(dropColumns(transposed(dropColumns(image, side)), side));
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

} // namespace

QImage iconAtSide(const QImage &artwork, int side)
{
    const QImage drawn = artwork.convertToFormat(QImage::Format_ARGB32);
    if (side == kArtworkSide)
        return drawn;
    if (side < kArtworkSide) {
        QImage small = computer(drawn);
        if (side <= kArtworkSide / 2)
            small = halved(small);
        return centred(fitted(small, side), side);
    }
    QImage large = drawn;
    while (large.width() < side)
        large = doubled(large);
    return centred(fitted(large, side), side);
}

} // namespace resources
