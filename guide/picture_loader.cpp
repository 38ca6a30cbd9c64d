// The picture loader: open the file through a descriptor that cannot block,
// walk its JPEG structure against fixed caps, then let Qt's JPEG reader decode
// it straight at the frame's size with libjpeg scaling while decoding.
//
// Only JPEG is accepted: every photograph of the guide is a .jpg file, and one
// format means one decoder to keep within bounds.

#include "guide/picture_loader.h"

#include "guide/jpeg_structure.h"

#include <QDateTime>
#include <QFile>
#include <QImageIOHandler>
#include <QImageReader>

#include <memory>

#ifdef Q_OS_WIN
#include <QFileInfo>
#else
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

// The file at `path` opened for reading if it is a regular file of a
// reasonable size; nothing for anything else.
std::unique_ptr<QFile> openRegularFile(const QString &path)
{
#ifdef Q_OS_WIN
    auto file = std::make_unique<QFile>(path);
    if (!QFileInfo(path).isFile() || !file->open(QIODevice::ReadOnly) ||
        file->size() > kMaxFileBytes)
        return {};
    return file;
#else
    // O_NONBLOCK keeps open() from waiting for a writer on a FIFO; fstat on the
    // open descriptor then refuses anything but a regular file before any read.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return {};
    struct stat st = {};
    auto file = std::make_unique<QFile>();
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > kMaxFileBytes ||
        !file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {};
    }
    return file;
#endif
}

bool structureAcceptable(const JpegStructure &s)
{
    return s.end == JpegEnd::Eoi && s.scans >= 1 && s.scans <= kMaxScans && s.width > 0 &&
           s.height > 0 && qint64{s.width} * s.height <= kMaxPixels;
}

} // namespace

QImage loadPicture(const QString &path, QSize size)
{
    if (size.isEmpty())
        return {};
    const std::unique_ptr<QFile> file = openRegularFile(path);
    if (!file)
        return {};
    // Walked first and then decoded from the start again, through small
    // windows both times: the file is never held whole in memory.
    const qint64 bytes = file->size();
    const QDateTime modified = file->fileTime(QFileDevice::FileModificationTime);
    if (!structureAcceptable(scanJpegStructure(*file)) || !file->seek(0))
        return {};

    QImageReader::setAllocationLimit(kAllocationLimitMiB);
    QImageReader reader(file.get(), "jpeg");
    reader.setQuality(kDecodeQuality);
    reader.setAutoTransform(true);
    // Scaling happens before the orientation is applied: for a quarter turn,
    // ask for the transposed size so that the turned picture has `size`.
    const bool quarterTurn = reader.transformation() & QImageIOHandler::TransformationRotate90;
    reader.setScaledSize(quarterTurn ? size.transposed() : size);

    QImage image;
    if (!reader.read(&image) || image.size() != size)
        return {};
    // What was decoded must be what was walked: a file rewritten in between is refused.
    if (file->size() != bytes || file->fileTime(QFileDevice::FileModificationTime) != modified)
        return {};
    return image.format() == QImage::Format_RGB32 ? image
                                                  : image.convertToFormat(QImage::Format_RGB32);
}

} // namespace guide
