#pragma once
// Picture files for tests: plain JPEGs of one colour, easy to tell apart by
// their pixels once stretched into the frame.

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QImage>
#include <QImageWriter>
#include <QString>

namespace test_pictures {

/// The image encoded as JPEG by Qt's own writer (quality -1: the writer's default).
inline QByteArray encodeJpeg(const QImage &image, bool progressive = false, int quality = -1)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(quality);
    writer.setProgressiveScanWrite(progressive);
    writer.write(image);
    return buffer.data();
}

inline bool writeJpeg(const QString &folder, const QString &name, QColor colour,
                      QSize size = {64, 48})
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image.save(QDir(folder).filePath(name), "JPEG", 95);
}

/// Whether two colours are the same but for JPEG's small errors.
inline bool near(QColor a, QColor b, int tolerance = 12)
{
    return qAbs(a.red() - b.red()) <= tolerance && qAbs(a.green() - b.green()) <= tolerance &&
           qAbs(a.blue() - b.blue()) <= tolerance;
}

/// The colour at the middle of a picture (black for none).
inline QColor middle(const QImage &image)
{
    return image.isNull() ? QColor(Qt::black)
                          : image.pixelColor(image.width() / 2, image.height() / 2);
}

} // namespace test_pictures
