// The picture loader: read the file whole through a descriptor that cannot
// block, check its JPEG structure against fixed caps, then let Qt's JPEG reader
// decode it straight at the frame's size with libjpeg scaling while decoding.
//
// Only JPEG is accepted: every photograph of the guide is a .jpg file, and one
// format means one decoder to keep within bounds.

#include "guide/picture_loader.h"

#include "guide/jpeg_structure.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImageIOHandler>
#include <QImageReader>

#include <cstdint>
#include <span>

#ifdef Q_OS_WIN
#include <QFileInfo>
#else
#include <QScopeGuard>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace guide {

namespace {

// A 48 MP photo saved at top quality without chroma subsampling is under
// 50 MiB; the cap leaves room above that and keeps one read from taking a
// large share of memory.
constexpr qint64 kMaxFileBytes = qint64{128} << 20;

// Pixels the frame header may declare. It bounds what the decoder allocates
// before it has seen any data: a progressive file needs a coefficient buffer
// of the full picture (2 bytes per sample, up to 300 MiB at 4:4:4 here), and
// an unscaled decode needs 4 bytes per pixel. 50 Mi pixels admits 48 and 50 MP
// phone photos (8000 × 6000, 8160 × 6120).
constexpr qint64 kMaxPixels = qint64{50} << 20;

// Qt's readers, all of them, refuse any image buffer above this many MiB.
// Set to what the pixel cap already admits, so that cap is the one rule; a
// scaled decode of a 48 MP photo needs only a few MiB of it.
constexpr int kAllocationLimitMiB = static_cast<int>(kMaxPixels * 4 >> 20);

// Progressive encoders write about ten scans, tuned ones a few dozen. Every
// scan is a pass over every block of the picture, whatever its size in the
// file: at 12 MP, 1,000 repeated small scans (130 KiB) held the decoder for
// over 4 s without an error.
constexpr int kMaxScans = 100;

// Qt's JPEG reader falls back to the fast integer DCT, plain chroma upsampling
// and a nearest-pixel final scale below quality 50; at or above it decodes
// accurately and scales smoothly.
constexpr int kDecodeQuality = 100;

QByteArray readRegularFile(const QString &path)
{
#ifdef Q_OS_WIN
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly) || file.size() > kMaxFileBytes)
        return {};
    QByteArray bytes = file.read(file.size());
    return file.atEnd() ? bytes : QByteArray(); // not whole if the file grew meanwhile
#else
    // O_NONBLOCK keeps open() from waiting for a writer on a FIFO; fstat on the
    // open descriptor then refuses anything but a regular file before any read.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return {};
    const auto closer = qScopeGuard([fd] { ::close(fd); });

    struct stat st = {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > kMaxFileBytes)
        return {};

    // The size is only a hint: the file may change while it is read.
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(st.st_size));
    char chunk[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n == 0)
            return bytes;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return {};
        }
        if (bytes.size() + n > kMaxFileBytes)
            return {};
        bytes.append(chunk, static_cast<qsizetype>(n));
    }
#endif
}

bool structureAcceptable(const QByteArray &bytes)
{
    const auto s =
        scanJpegStructure(std::span(reinterpret_cast<const std::uint8_t *>(bytes.constData()),
                                    static_cast<std::size_t>(bytes.size())));
    return s.end == JpegEnd::Eoi && s.scans >= 1 && s.scans <= kMaxScans && s.width > 0 &&
           s.height > 0 && qint64{s.width} * s.height <= kMaxPixels;
}

} // namespace

QImage loadPicture(const QString &path, QSize size)
{
    if (size.isEmpty())
        return {};
    QByteArray bytes = readRegularFile(path);
    if (bytes.isEmpty() || !structureAcceptable(bytes))
        return {};

    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader::setAllocationLimit(kAllocationLimitMiB);
    QImageReader reader(&buffer, "jpeg");
    reader.setQuality(kDecodeQuality);
    reader.setAutoTransform(true);
    // Scaling happens before the orientation is applied: for a quarter turn,
    // ask for the transposed size so that the turned picture has `size`.
    const bool quarterTurn = reader.transformation() & QImageIOHandler::TransformationRotate90;
    reader.setScaledSize(quarterTurn ? size.transposed() : size);

    QImage image;
    if (!reader.read(&image) || image.size() != size)
        return {};
    return image.format() == QImage::Format_RGB32 ? image
                                                  : image.convertToFormat(QImage::Format_RGB32);
}

} // namespace guide
