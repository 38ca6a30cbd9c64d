// libFuzzer target for the picture-loading path: the bytes are laid under a
// photograph's name and loaded for the picture frame, and the marker walk is
// run on them directly. Any crash, sanitizer report or picture of the wrong
// size is a finding; so is a picture from bytes the walk should have refused.

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <span>

#include "guide/jpeg_structure.h"
#include "guide/picture_loader.h"

namespace {

// The frame's size in device pixels at 96 DPI.
constexpr QSize kFrame(328, 247);

// The loader's caps, restated so that a picture the walk should have stopped is caught.
constexpr int kMaxScans = 100;
constexpr qint64 kMaxPixels = qint64{50} << 20;

QString picturePath;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_picture_loader";
    static char *argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    // The decoder's complaints about broken input are expected by the thousand.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio.jpeg=false"));
    static QTemporaryDir folder;
    if (!folder.isValid())
        std::abort();
    picturePath = QDir(folder.path()).filePath(QStringLiteral("room1.jpg"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const guide::JpegStructure s = guide::scanJpegStructure(std::span(data, size));
    if (s.width < 0 || s.height < 0 || s.scans < 0)
        std::abort();

    QFile file(picturePath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size))
        std::abort();
    file.close();

    const QImage picture = guide::loadPicture(picturePath, kFrame);
    if (picture.isNull())
        return 0;
    if (picture.size() != kFrame)
        std::abort();
    const bool walkAccepts = s.end == guide::JpegEnd::Eoi && s.scans >= 1 && s.scans <= kMaxScans &&
                             s.width > 0 && s.height > 0 &&
                             qint64{s.width} * s.height <= kMaxPixels;
    if (!walkAccepts)
        std::abort();
    return 0;
}
