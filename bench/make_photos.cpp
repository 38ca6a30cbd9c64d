// Makes a large photograph for the benchmarks from a small one: enlarged
// smoothly, then given a fixed pattern of sensor-like grain, so that it costs
// the decoder about what a camera's photo of that size does rather than a
// smooth, cheaply coded picture.
//
//   make_photos SOURCE WIDTH HEIGHT OUTPUT

#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace {

constexpr int kGrain = 16;   ///< largest change to a channel, either way
constexpr int kQuality = 90; ///< what cameras commonly write

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 5) {
        std::fprintf(stderr, "usage: make_photos SOURCE WIDTH HEIGHT OUTPUT\n");
        return 2;
    }
    QImageReader::setAllocationLimit(0);
    const QImage source(QString::fromLocal8Bit(argv[1]));
    const QSize size(QByteArray(argv[2]).toInt(), QByteArray(argv[3]).toInt());
    if (source.isNull() || size.isEmpty())
        return 1;
    QImage photo = source.convertToFormat(QImage::Format_RGB32)
                       .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);

    std::uint32_t state = 12345; // a fixed seed: the same photo every time
    const auto grain = [&state] {
        state = state * 1664525u + 1013904223u;
        return int(state >> 24) % (2 * kGrain + 1) - kGrain;
    };
    for (int y = 0; y < photo.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(photo.scanLine(y));
        for (int x = 0; x < photo.width(); ++x) {
            const QRgb p = line[x];
            line[x] =
                qRgb(std::clamp(qRed(p) + grain(), 0, 255), std::clamp(qGreen(p) + grain(), 0, 255),
                     std::clamp(qBlue(p) + grain(), 0, 255));
        }
    }
    QImageWriter writer(QString::fromLocal8Bit(argv[4]), "jpeg");
    writer.setQuality(kQuality);
    return writer.write(photo) ? 0 : 1;
}
