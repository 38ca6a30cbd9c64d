#pragma once
// Picture files for tests: plain JPEGs of one colour, easy to tell apart by
// their pixels once stretched into the frame.

#include <QColor>
#include <QDir>
#include <QImage>
#include <QString>

namespace test_pictures {

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
