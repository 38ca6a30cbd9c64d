// Layout written: ICONDIR, one ICONDIRENTRY, then the image as a headerless BMP
// (BITMAPINFOHEADER with doubled height, palette, XOR pixels, AND mask), rows
// bottom-up and each padded to 4 bytes, all little-endian.

#include "tools/icon/ico_writer.h"

#include "qt/resources/standard_palette.h"

#include <QImage>

namespace icon {

namespace {

constexpr int kDirSize = 6;
constexpr int kEntrySize = 16;
constexpr int kInfoHeaderSize = 40;
constexpr int kBitsPerPixel = 4;
constexpr int kMaxSide = 256;

int strideFor(int width, int bitsPerPixel)
{
    return (width * bitsPerPixel + 31) / 32 * 4;
}

void put8(QByteArray &out, int v)
{
    out.append(char(v & 0xFF));
}

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

} // namespace

std::optional<QByteArray> encodeIco(const QImage &image, QString *error)
{
    const int w = image.width(), h = image.height();
    if (image.isNull() || w > kMaxSide || h > kMaxSide) {
        fail(error,
             QStringLiteral("an icon entry holds 1 to 256 px a side, not %1 × %2").arg(w).arg(h));
        return std::nullopt;
    }
    QList<int> indices;
    QList<bool> transparent;
    if (!classify(image, indices, transparent, error))
        return std::nullopt;

    const int xorStride = strideFor(w, kBitsPerPixel), andStride = strideFor(w, 1);
    const int paletteSize = int(resources::kStandardPalette.size());
    const int imageSize = kInfoHeaderSize + paletteSize * 4 + (xorStride + andStride) * h;

    QByteArray out;
    // ICONDIR: reserved, type 1 (icon), one entry.
    put16(out, 0);
    put16(out, 1);
    put16(out, 1);
    // ICONDIRENTRY: 256 is written as 0.
    put8(out, w % kMaxSide);
    put8(out, h % kMaxSide);
    put8(out, paletteSize);
    put8(out, 0);
    put16(out, 1);
    put16(out, kBitsPerPixel);
    put32(out, quint32(imageSize));
    put32(out, quint32(kDirSize + kEntrySize));
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
    Q_ASSERT(out.size() == kDirSize + kEntrySize + imageSize);
    return out;
}

} // namespace icon
