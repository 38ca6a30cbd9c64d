// Writes the fuzzer's seed corpus: small JPEGs of the kinds the loader meets,
// baseline and progressive, colour and grey, odd and tiny sizes, with and
// without an EXIF orientation, and a PPM that cjpeg turns into more variants.
// Everything is drawn here; nothing comes from outside.

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPainter>

#include <cstdio>

namespace {

QImage drawing(QSize size, QImage::Format format = QImage::Format_RGB32)
{
    QImage image(size, QImage::Format_RGB32);
    QLinearGradient sky(0, 0, size.width(), size.height());
    sky.setColorAt(0, QColor(30, 90, 200));
    sky.setColorAt(1, QColor(240, 200, 60));
    QPainter p(&image);
    p.fillRect(image.rect(), sky);
    p.setPen(QPen(Qt::darkRed, 2));
    p.setBrush(Qt::white);
    p.drawEllipse(
        QRectF(size.width() * 0.2, size.height() * 0.3, size.width() * 0.4, size.height() * 0.4));
    p.end();
    return image.convertToFormat(format);
}

QByteArray encode(const QImage &image, int quality, bool progressive, bool optimized)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(quality);
    writer.setProgressiveScanWrite(progressive);
    writer.setOptimizedWrite(optimized);
    return writer.write(image) ? bytes : QByteArray();
}

// An APP1 segment holding a big-endian EXIF block with one tag: the orientation.
QByteArray withOrientation(const QByteArray &jpeg, quint16 orientation)
{
    const char segment[] = {'\xff', '\xe1',
                            0,      34,
                            'E',    'x',
                            'i',    'f',
                            0,      0,
                            'M',    'M',
                            0,      42,
                            0,      0,
                            0,      8, // TIFF header, first IFD at 8
                            0,      1, // one entry
                            1,      0x12,
                            0,      3,
                            0,      0,
                            0,      1, // orientation, SHORT, count 1
                            0,      char(orientation),
                            0,      0, // value, padded
                            0,      0,
                            0,      0}; // no next IFD
    static_assert(sizeof segment == 36);
    return jpeg.left(2) + QByteArray(segment, sizeof segment) + jpeg.mid(2);
}

bool save(const QDir &dir, const QString &name, const QByteArray &bytes)
{
    QFile file(dir.filePath(name));
    return !bytes.isEmpty() && file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds FOLDER\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    bool ok = QDir().mkpath(dir.path());

    const QSize sizes[] = {{1, 1}, {7, 5}, {16, 16}, {33, 17}, {64, 48}};
    for (const QSize size : sizes) {
        const QImage image = drawing(size);
        const QString stem = QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
        ok &= save(dir, stem + QStringLiteral("_baseline.jpg"), encode(image, 75, false, false));
        ok &= save(dir, stem + QStringLiteral("_progressive.jpg"), encode(image, 75, true, true));
    }
    const QImage picture = drawing({40, 30});
    ok &= save(dir, QStringLiteral("low_quality.jpg"), encode(picture, 5, false, false));
    ok &= save(dir, QStringLiteral("top_quality.jpg"), encode(picture, 100, false, true));
    ok &= save(dir, QStringLiteral("grey.jpg"),
               encode(drawing({40, 30}, QImage::Format_Grayscale8), 75, false, false));
    for (const quint16 orientation : {3, 6, 8})
        ok &= save(dir, QStringLiteral("exif_orientation_%1.jpg").arg(orientation),
                   withOrientation(encode(picture, 75, false, false), orientation));
    ok &= picture.save(dir.filePath(QStringLiteral("cjpeg_input.ppm")), "PPM");
    return ok ? 0 : 1;
}
