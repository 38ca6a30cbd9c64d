// libFuzzer target for the picture-loading path: the bytes are laid under a
// photograph's name, decoded under the decoder's guard and loaded for the
// picture frame. Any crash, sanitizer report or picture of the wrong size is a
// finding; so is a picture whose cost, as the decoder counted it, breaks one
// of the loader's limits (the oracle reads them from picture_limits.h).

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <span>

#include "core/exif_orientation.h"
#include "core/jpeg_decoder.h"
#include "core/picture_file.h"
#include "core/picture_limits.h"
#include "core/picture_loader.h"

namespace {

namespace limits = guide::limits;

// The frame's size in device pixels at 96 DPI.
constexpr guide::Size kFrame{328, 247};

std::filesystem::path picturePath;

void require(bool condition)
{
    if (!condition)
        std::abort();
}

// A picture came out: what it cost must lie within every budget its own
// bytes earn, and those are no more than the file's.
void checkCost(const guide::JpegCost &cost, std::int64_t fileBytes)
{
    const std::int64_t bytes = cost.pictureBytes;
    require(cost.pictureBlocks > 0 && cost.pictureBlocks <= limits::kMaxPictureBlocks);
    require(limits::fileCanHold(cost.pictureBlocks, cost.dataBytes, cost.arithmetic));
    require(cost.coefficientBytes <= limits::coefficientBudget(bytes));
    require(cost.touchedCoefficientBytes <= cost.coefficientBytes);
    require(cost.scans >= 1 && cost.scans <= limits::kMaxScans);
    require(cost.work > 0 && cost.work <= limits::workBudget(bytes, cost.arithmetic));
    require(cost.outputPixels > 0 && cost.outputPixels <= limits::kMaxOutputPixels);
    require(cost.pictureBytes > 0 && cost.pictureBytes <= fileBytes &&
            cost.pictureBytes <= limits::kMaxPictureBytes);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_picture_loader";
    static char *argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    static QTemporaryDir folder;
    if (!folder.isValid())
        std::abort();
    picturePath =
        QFile::encodeName(QDir(folder.path()).filePath(QStringLiteral("room1.jpg"))).toStdString();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // The same bytes as an APP1 payload.
    const int orientation = guide::exifOrientation(std::span(data, size));
    require(orientation >= 0 && orientation <= 8);

    QFile file(QString::fromStdString(picturePath.native()));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size))
        std::abort();
    file.close();

    const guide::PictureFile opened = guide::openPictureFile(picturePath);
    require(bool(opened));
    const guide::JpegPicture decoded = guide::decodeJpeg(opened.fd(), opened.size(), kFrame);
    require(decoded.orientation >= 1 && decoded.orientation <= 8);
    require(decoded.cost.scans <= limits::kMaxScans + 1);
    if (decoded.failure == guide::JpegFailure::None) {
        require(!decoded.image.isNull());
        checkCost(decoded.cost, std::int64_t(size));
    } else {
        require(decoded.image.isNull());
    }

    const guide::Picture picture = guide::loadPicture(picturePath, kFrame);
    require(picture.isNull() == decoded.image.isNull());
    require(picture.isNull() ||
            (picture.size() == kFrame &&
             picture.pixels.size() == std::size_t(kFrame.width) * std::size_t(kFrame.height)));
    return 0;
}
