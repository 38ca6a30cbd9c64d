// Layout written: ICONDIR, one ICONDIRENTRY per image, then the images in the
// same order. An image below 256 px is a headerless BMP (BITMAPINFOHEADER with
// doubled height, palette, XOR pixels, AND mask), rows bottom-up and each padded
// to 4 bytes; the 256 px one is a PNG (32-bit RGBA), as Windows reads it since
// Vista, a twentieth of its size as BMP. All little-endian.

#include "tools/icon/ico_writer.h"

#include "qt/resources/standard_palette.h"

#include <QBuffer>
#include <QImage>

namespace icon {

namespace {

constexpr int kDirSize = 6;
constexpr int kEntrySize = 16;
constexpr int kInfoHeaderSize = 40;
constexpr int kBitsPerPixel = 4;
constexpr int kMaxSide = 256;
constexpr int kPngBitsPerPixel = 32;

int strideFor(int width, int bitsPerPixel) { return (width * bitsPerPixel + 31) / 32 * 4; }

void put8(QByteArray &out, int v) { out.append(char(v & 0xFF)); }

void put16(QByteArray &out, int v)
{
    put8(out, v);
    put8(out, v >> 8);
}

void put32(QByteArray &out, quint32 v)
{
    put16(out, int(v & 0xFFFF));
    put16(out, int(v >> 16));
}

bool fail(QString *error, const QString &message)
{
    if (error)
        *error = message;
    return false;
}

/// Palette index per pixel (0 under the mask) and the mask, both top-down.
bool classify(const QImage &image, QList<int> &indices, QList<bool> &transparent, QString *error)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            const int alpha = qAlpha(c);
            if (alpha == 0) {
                indices.append(0);
                transparent.append(true);
                continue;
            }
            const int index = resources::standardPaletteIndex(c);
            if (alpha != 0xFF || index < 0) {
                return fail(error,
                            QStringLiteral("pixel (%1, %2) is #%3, not an opaque palette colour")
                                .arg(x)
                                .arg(y)
                                .arg(c, 8, 16, QLatin1Char('0')));
            }
            indices.append(index);
            transparent.append(false);
        }
    }
    return true;
}

/// The image as a headerless 4 bpp BMP with its mask, or nothing.
std::optional<QByteArray> bmpImage(const QImage &image, QString *error)
{
    const int w = image.width(), h = image.height();
    QList<int> indices;
    QList<bool> transparent;
    if (!classify(image, indices, transparent, error))
        return std::nullopt;

    const int xorStride = strideFor(w, kBitsPerPixel), andStride = strideFor(w, 1);
    const int paletteSize = int(resources::kStandardPalette.size());
    QByteArray out;
    // BITMAPINFOHEADER: the height counts the XOR and AND bitmaps together.
    put32(out, kInfoHeaderSize);
    put32(out, quint32(w));
    put32(out, quint32(h * 2));
    put16(out, 1);
    put16(out, kBitsPerPixel);
    put32(out, 0); // BI_RGB
    put32(out, quint32((xorStride + andStride) * h));
    put32(out, 0);
    put32(out, 0);
    put32(out, quint32(paletteSize));
    put32(out, 0);
    for (const QRgb c : resources::kStandardPalette) {
        put8(out, qBlue(c));
        put8(out, qGreen(c));
        put8(out, qRed(c));
        put8(out, 0);
    }
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(xorStride, '\0');
        for (int x = 0; x < w; ++x)
            row[x / 2] = char(row[x / 2] | indices[y * w + x] << (x % 2 ? 0 : 4));
        out.append(row);
    }
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(andStride, '\0');
        for (int x = 0; x < w; ++x) {
            if (transparent[y * w + x])
                row[x / 8] = char(row[x / 8] | 0x80 >> (x % 8));
        }
        out.append(row);
    }
    Q_ASSERT(out.size() == kInfoHeaderSize + paletteSize * 4 + (xorStride + andStride) * h);
    return out;
}

/// The image as PNG, its pixels checked as for a BMP entry.
std::optional<QByteArray> pngImage(const QImage &image, QString *error)
{
    QList<int> indices;
    QList<bool> transparent;
    if (!classify(image, indices, transparent, error))
        return std::nullopt;
    QByteArray out;
    QBuffer buffer(&out);
    if (!buffer.open(QIODevice::WriteOnly) ||
        !image.convertToFormat(QImage::Format_ARGB32).save(&buffer, "PNG")) {
        fail(error, QStringLiteral("cannot write a PNG"));
        return std::nullopt;
    }
    return out;
}

} // namespace

std::optional<QByteArray> encodeIco(const QList<QImage> &images, QString *error)
{
    QList<QByteArray> data;
    for (const QImage &image : images) {
        const int w = image.width(), h = image.height();
        if (image.isNull() || w > kMaxSide || h > kMaxSide) {
            fail(error, QStringLiteral("an icon entry holds 1 to 256 px a side, not %1 × %2")
                            .arg(w)
                            .arg(h));
            return std::nullopt;
        }
        const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
        auto bytes = w == kMaxSide ? pngImage(argb, error) : bmpImage(argb, error);
        if (!bytes)
            return std::nullopt;
        data.append(*bytes);
    }
    if (data.isEmpty()) {
        fail(error, QStringLiteral("an icon file holds at least one image"));
        return std::nullopt;
    }

    QByteArray out;
    // ICONDIR: reserved, type 1 (icon), the number of entries.
    put16(out, 0);
    put16(out, 1);
    put16(out, int(images.size()));
    // ICONDIRENTRY each: 256 is written as 0; a PNG entry counts no palette.
    quint32 offset = quint32(kDirSize + kEntrySize * images.size());
    for (qsizetype i = 0; i < images.size(); ++i) {
        const bool png = images[i].width() == kMaxSide;
        put8(out, images[i].width() % kMaxSide);
        put8(out, images[i].height() % kMaxSide);
        put8(out, png ? 0 : int(resources::kStandardPalette.size()));
        put8(out, 0);
        put16(out, 1);
        put16(out, png ? kPngBitsPerPixel : kBitsPerPixel);
        put32(out, quint32(data[i].size()));
        put32(out, offset);
        offset += quint32(data[i].size());
    }
    for (const QByteArray &bytes : data)
        out.append(bytes);
    return out;
}

std::optional<QByteArray> encodeIco(const QImage &image, QString *error)
{
    return encodeIco(QList<QImage>{image}, error);
}

} // namespace icon
