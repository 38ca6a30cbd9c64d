// The picture loader on files made here: pictures with four coloured quadrants
// from Qt, from libjpeg's own tools, ImageMagick and Pillow, and up to 200 MP,
// that must come out at the frame's size the right way up; files at each of
// the decoder's limits and one step past them; hostile and cut-off files; and
// paths that are not valid UTF-8, longer than PATH_MAX, or not files at all.

#include "core/jpeg_decoder.h"
#include "core/picture_file.h"
#include "core/picture_limits.h"
#include "core/picture_loader.h"
#include "qt/forms/program_folder.h"
#include "qt/forms/qt_convert.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <QThread>

#include <array>
#include <atomic>
#include <climits>
#include <cstring>
#include <string>
#include <thread>

#include <dirent.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "test_pictures.h"

using guide::JpegFailure;
namespace limits = guide::limits;
namespace fs = std::filesystem;

namespace {

// Quadrants top-left, top-right, bottom-left, bottom-right, and their letters.
constexpr std::array<QRgb, 4> kColours{qRgb(220, 0, 0), qRgb(0, 0, 220), qRgb(0, 200, 0),
                                       qRgb(230, 230, 0)};
constexpr char kLetters[] = "RBGY";

const QSize kFrame(656, 494);

// The loader's picture as the Qt program shows it.
QImage loadQ(const fs::path &path, QSize size)
{
    return toQImage(guide::loadPicture(path, toSize(size)));
}

QImage quadrants(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, kColours[(y < h / 2 ? 0 : 2) + (x < w / 2 ? 0 : 1)]);
    return image;
}

// The letters of the colours nearest to the centres of the four quadrants.
QString layout(const QImage &image)
{
    QString out;
    for (const QPoint q : {QPoint(1, 1), QPoint(3, 1), QPoint(1, 3), QPoint(3, 3)}) {
        const QRgb p = image.pixel(q.x() * image.width() / 4, q.y() * image.height() / 4);
        int best = 0, bestDistance = INT_MAX;
        for (int i = 0; i < 4; ++i) {
            const int dr = qRed(p) - qRed(kColours[i]), dg = qGreen(p) - qGreen(kColours[i]),
                      db = qBlue(p) - qBlue(kColours[i]);
            if (dr * dr + dg * dg + db * db < bestDistance)
                best = i, bestDistance = dr * dr + dg * dg + db * db;
        }
        out += QLatin1Char(kLetters[best]);
    }
    return out;
}

QByteArray bytes(std::initializer_list<int> list)
{
    QByteArray out;
    for (int b : list)
        out.append(char(b));
    return out;
}

QByteArray segment(int marker, const QByteArray &payload)
{
    const int length = int(payload.size()) + 2;
    return bytes({0xFF, marker, length >> 8, length & 0xFF}) + payload;
}

QByteArray exifOrientation(int orientation)
{
    return segment(0xE1, QByteArray("Exif\0\0", 6) +
                             bytes({'M', 'M', 0, 42, 0, 0, 0,           8, 0, 1, 0x01, 0x12, 0,
                                    3,   0,   0, 0,  1, 0, orientation, 0, 0, 0, 0,    0,    0}));
}

// The same file with more segments right after its start marker.
QByteArray afterStart(QByteArray file, const QByteArray &segments)
{
    return file.insert(2, segments);
}

// Position of the first frame header (any SOFn).
qsizetype frameHeader(const QByteArray &file)
{
    qsizetype pos = 2;
    while (pos + 4 <= file.size()) {
        const int marker = uchar(file[pos + 1]);
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
            return pos;
        pos += 2 + (uchar(file[pos + 2]) << 8 | uchar(file[pos + 3]));
    }
    return -1;
}

// The same file with other dimensions in its frame header.
QByteArray withSize(QByteArray file, int w, int h)
{
    const qsizetype pos = frameHeader(file);
    if (pos >= 0)
        file.replace(pos + 5, 4, bytes({h >> 8, h & 0xFF, w >> 8, w & 0xFF}));
    return file;
}

// Netpbm pictures for the command-line encoders.
QByteArray ppm(const QImage &image)
{
    QByteArray out =
        QStringLiteral("P6\n%1 %2\n255\n").arg(image.width()).arg(image.height()).toLatin1();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            out += bytes({qRed(p), qGreen(p), qBlue(p)});
        }
    return out;
}

QByteArray flatGrey(int w, int h)
{
    return QStringLiteral("P5\n%1 %2\n255\n").arg(w).arg(h).toLatin1() +
           QByteArray(qsizetype(w) * h, char(128));
}

// Runs a tool that reads standard input and writes the file to standard output.
// Empty on any failure, with the reason in the log: the tools are installed by
// tools/setup.sh, so a missing one is a failure, not a skip.
QByteArray run(const QString &program, const QStringList &arguments, const QByteArray &input)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted(5000)) {
        qWarning("cannot start %s", qPrintable(program));
        return {};
    }
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        qWarning("%s %s failed: %s", qPrintable(program), qPrintable(arguments.join(' ')),
                 process.readAllStandardError().constData());
        return {};
    }
    return process.readAllStandardOutput();
}

QByteArray cjpeg(const QStringList &arguments, const QByteArray &input)
{
    return run(QStringLiteral("cjpeg"), arguments, input);
}

// jpegtran with a scan script; the script goes through a file of its own.
QByteArray withScans(const QByteArray &jpeg, const QString &script)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("scans.txt")));
    if (!file.open(QIODevice::WriteOnly) || file.write(script.toLatin1()) < 0)
        return {};
    file.close();
    return run(QStringLiteral("jpegtran"), {QStringLiteral("-scans"), file.fileName()}, jpeg);
}

const char *kPillow = R"(import io, sys
from PIL import Image
picture = Image.open(io.BytesIO(sys.stdin.buffer.read()))
out = io.BytesIO()
picture.save(out, 'JPEG', quality=90, **eval(sys.argv[1]))
sys.stdout.buffer.write(out.getvalue())
)";

QByteArray pillow(const QString &options, const QByteArray &input)
{
    // Debian's Python, where python3-pil installs; not whatever python3 comes first.
    return run(QStringLiteral("/usr/bin/python3"),
               {QStringLiteral("-c"), QString::fromLatin1(kPillow), options}, input);
}

// The two hostile files of the bug report, byte for byte.
QByteArray hiddenScans()
{
    const QByteArray sos = segment(0xDA, bytes({1, 1, 0, 0, 0, 0}));
    QByteArray file =
        bytes({0xFF, 0xD8}) + segment(0xDB, QByteArray(1, 0) + QByteArray(64, 1)) +
        segment(0xC2, bytes({8, 7240 >> 8, 7240 & 0xFF, 7240 >> 8, 7240 & 0xFF, 1, 1, 0x11, 0})) +
        segment(0xC4, bytes({0, 1}) + QByteArray(16, 0)) + segment(0xDD, bytes({0, 1})) + sos;
    const QByteArray hidden = segment(0x02, sos.repeated(6500));
    return file + hidden.repeated(16) + bytes({0xFF, 0xD9});
}

QByteArray emptyScans()
{
    return bytes({0xFF, 0xD8}) + segment(0xDB, QByteArray(1, 0) + QByteArray(64, 1)) +
           segment(0xC2, bytes({8, 7240 >> 8, 7240 & 0xFF, 7240 >> 8, 7240 & 0xFF, 3, 1, 0x11, 0, 2,
                                0x11, 0, 3, 0x11, 0})) +
           segment(0xC4, bytes({0, 1}) + QByteArray(16, 0)) + segment(0xDD, bytes({0, 1})) +
           segment(0xDA, bytes({3, 1, 0, 2, 0, 3, 0, 0, 0, 0})).repeated(100) + bytes({0xFF, 0xD9});
}

// A progressive grey picture coded in a single DC scan at exactly one bit a
// block: flat mid-grey, so every difference is zero and its code one bit long.
// 64 × 64 pixels, 64 blocks, 8 bytes of coded data.
QByteArray oneBitABlock()
{
    return withScans(cjpeg({QStringLiteral("-grayscale")}, flatGrey(64, 64)),
                     QStringLiteral("0: 0 0 0 0;"));
}

// A flat grey 4096 × 4096 picture in a DC scan and `acScans` AC scans over
// the whole band: the first at bit acScans - 1, each after it a refinement.
QByteArray acRefinements(int acScans)
{
    QString script = QStringLiteral("0: 0 0 0 0;\n0: 1 63 0 %1;\n").arg(acScans - 1);
    for (int a = acScans - 1; a > 0; --a)
        script += QStringLiteral("0: 1 63 %1 %2;\n").arg(a).arg(a - 1);
    return withScans(cjpeg({QStringLiteral("-grayscale")}, flatGrey(4096, 4096)), script);
}

// A colour picture at 4:1:0 (each chroma component a tenth of the blocks) in
// one DC scan and `scans - 1` single-coefficient chroma scans, cheap enough
// that the count of scans, not their work, is what meets a limit.
QByteArray chromaScans(int scans)
{
    QString script = QStringLiteral("0 1 2: 0 0 0 0;\n");
    for (int i = 0; i < std::min(scans, 100) - 1; ++i)
        script += QStringLiteral("%1: %2 %2 0 0;\n").arg(1 + i / 63).arg(1 + i % 63);
    QByteArray file = withScans(
        cjpeg({QStringLiteral("-sample"), QStringLiteral("4x2")}, ppm(quadrants(64, 64))), script);
    if (scans <= 100 || file.isEmpty())
        return file;
    // jpegtran writes at most 100 scans: the 101st is the 100th again, with its
    // table, as the next coefficient (zero in every block, like the 100th).
    const qsizetype sos = file.lastIndexOf("\xFF\xDA");
    const qsizetype from = file.mid(0, sos).lastIndexOf("\xFF\xC4");
    QByteArray extra = file.mid(from, file.size() - 2 - from);
    extra[sos - from + 7] = extra[sos - from + 8] = char(1 + (scans - 2) % 63);
    return file.insert(file.size() - 2, extra);
}

// A sequential file whose components are coded in scans of their own, with
// the first scan repeated: every repeat is well-formed, draws no warning, and
// costs a full pass over the luminance blocks.
QByteArray repeatedScans(int repeats)
{
    const QByteArray file = withScans(cjpeg({}, ppm(quadrants(64, 48))),
                                      QStringLiteral("0: 0 63 0 0;\n1: 0 63 0 0;\n2: 0 63 0 0;\n"));
    const qsizetype sos = file.indexOf("\xFF\xDA");
    if (sos < 0)
        return {};
    qsizetype end = sos + 2 + (uchar(file[sos + 2]) << 8 | uchar(file[sos + 3]));
    while (end + 1 < file.size() &&
           (uchar(file[end]) != 0xFF || uchar(file[end + 1]) == 0 ||
            (uchar(file[end + 1]) >= 0xD0 && uchar(file[end + 1]) <= 0xD7)))
        ++end;
    return file.left(end) + file.mid(sos, end - sos).repeated(repeats) + file.mid(end);
}

// Runs `program` by its raw bytes and returns what it writes.
std::string outputOf(const std::string &program, const char *argument)
{
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    char *argv[] = {const_cast<char *>(program.c_str()), const_cast<char *>(argument), nullptr};
    pid_t pid = -1;
    const int spawned = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    std::string out;
    char buffer[4096];
    for (ssize_t n; spawned == 0 && (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        out.append(buffer, std::size_t(n));
    ::close(pipeEnds[0]);
    int status = 0;
    if (spawned == 0)
        ::waitpid(pid, &status, 0);
    return out;
}

// Removes a tree too deep for one path, one name at a time.
void removeTree(int parent, const std::string &name)
{
    const int fd = ::openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW);
    if (fd >= 0) {
        DIR *dir = ::fdopendir(fd);
        while (const dirent *entry = dir ? ::readdir(dir) : nullptr) {
            const std::string child = entry->d_name;
            if (child != "." && child != ".." && ::unlinkat(fd, child.c_str(), 0) != 0)
                removeTree(fd, child);
        }
        if (dir)
            ::closedir(dir);
        else
            ::close(fd);
    }
    ::unlinkat(parent, name.c_str(), AT_REMOVEDIR);
}

constexpr char kPrintFolder[] = "--print-program-folder";

} // namespace

class TestPictureLoader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void decodes_data();
    void decodes();
    void realEncoders_data();
    void realEncoders();
    void limitEdges_data();
    void limitEdges();
    void fileSizeCap();
    void hostileFiles_data();
    void hostileFiles();
    void truncation_data();
    void truncation();
    void refusesWhatIsNotAFile();
    void opensByNativeBytes();
    void programFolder();
    void readsOnlyWhatWasOpened();
    void readsAnewEachCall();
    void survivesMutations();

private:
    QString put(const QByteArray &content);
    guide::JpegPicture decode(const QByteArray &content);

    QTemporaryDir m_dir;
    int m_files = 0;
};

void TestPictureLoader::initTestCase() { QVERIFY(m_dir.isValid()); }

QString TestPictureLoader::put(const QByteArray &content)
{
    QFile file(m_dir.filePath(QString::number(++m_files) + QStringLiteral(".jpg")));
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(file.fileName()));
    return file.fileName();
}

guide::JpegPicture TestPictureLoader::decode(const QByteArray &content)
{
    const guide::PictureFile file = guide::openPictureFile(put(content).toStdString());
    if (!file)
        qFatal("cannot open a file just written");
    return guide::decodeJpeg(file.fd(), file.size(), toSize(kFrame));
}

void TestPictureLoader::decodes_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("layout");

    const QByteArray landscape = test_pictures::encodeJpeg(quadrants(640, 480));
    QTest::newRow("baseline") << landscape << kFrame << "RBGY";
    QTest::newRow("progressive") << test_pictures::encodeJpeg(quadrants(640, 480), true) << kFrame
                                 << "RBGY";
    QTest::newRow("small, stretched")
        << test_pictures::encodeJpeg(quadrants(64, 48)) << QSize(300, 700) << "RBGY";
    QTest::newRow("garbage after the end")
        << landscape + QByteArray(500, '\xAB') << kFrame << "RBGY";
    // Mirrored, turned, or both; a quarter turn asks for the frame transposed.
    const char *upright[] = {"RBGY", "BRYG", "YGBR", "GYRB", "RGBY", "GRYB", "YBGR", "BYRG"};
    for (int o = 1; o <= 8; ++o)
        QTest::addRow("orientation %d", o)
            << afterStart(landscape, exifOrientation(o)) << (o >= 5 ? kFrame.transposed() : kFrame)
            << upright[o - 1];
    const QByteArray xmp =
        segment(0xE1, QByteArray("http://ns.adobe.com/xap/1.0/\0<x:xmpmeta/>", 42));
    QTest::newRow("XMP before EXIF")
        << afterStart(landscape, xmp + exifOrientation(6)) << kFrame.transposed() << "GRYB";
    QTest::newRow("only the first EXIF counts")
        << afterStart(landscape, exifOrientation(3) + exifOrientation(6)) << kFrame << "YGBR";
    QTest::newRow("EXIF with an orientation out of range")
        << afterStart(landscape, exifOrientation(9)) << kFrame << "RBGY";
}

void TestPictureLoader::decodes()
{
    QFETCH(QByteArray, file);
    QFETCH(QSize, size);
    const QImage image = loadQ(put(file).toStdString(), size);
    QCOMPARE(image.size(), size);
    QCOMPARE(image.format(), QImage::Format_RGB32);
    QTEST(layout(image), "layout");
}

void TestPictureLoader::realEncoders_data()
{
    QTest::addColumn<QByteArray>("file");

    const QByteArray drawn = ppm(quadrants(640, 480));
    const QByteArray plain = cjpeg({}, drawn);
    QTest::newRow("cjpeg") << plain;
    QTest::newRow("cjpeg -progressive") << cjpeg({QStringLiteral("-progressive")}, drawn);
    QTest::newRow("cjpeg -optimize") << cjpeg({QStringLiteral("-optimize")}, drawn);
    QTest::newRow("cjpeg -arithmetic") << cjpeg({QStringLiteral("-arithmetic")}, drawn);
    QTest::newRow("cjpeg -progressive -arithmetic")
        << cjpeg({QStringLiteral("-progressive"), QStringLiteral("-arithmetic")}, drawn);
    QTest::newRow("cjpeg 4:4:4") << cjpeg({QStringLiteral("-sample"), QStringLiteral("1x1")},
                                          drawn);
    QTest::newRow("cjpeg, a restart every row")
        << cjpeg({QStringLiteral("-restart"), QStringLiteral("1")}, drawn);
    QTest::newRow("jpegtran -progressive")
        << run(QStringLiteral("jpegtran"), {QStringLiteral("-progressive")}, plain);
    QTest::newRow("jpegtran -optimize")
        << run(QStringLiteral("jpegtran"), {QStringLiteral("-optimize")}, plain);
    QTest::newRow("jpegtran -arithmetic")
        << run(QStringLiteral("jpegtran"), {QStringLiteral("-arithmetic")}, plain);
    const QString magick = QStringLiteral("convert");
    QTest::newRow("ImageMagick") << run(magick, {"ppm:-", "-quality", "90", "jpeg:-"}, drawn);
    QTest::newRow("ImageMagick, progressive")
        << run(magick, {"ppm:-", "-interlace", "Plane", "jpeg:-"}, drawn);
    QTest::newRow("ImageMagick, CMYK")
        << run(magick, {"ppm:-", "-colorspace", "CMYK", "jpeg:-"}, drawn);
    QTest::newRow("Pillow") << pillow(QStringLiteral("{}"), drawn);
    QTest::newRow("Pillow, progressive 4:4:4")
        << pillow(QStringLiteral("{'progressive': True, 'subsampling': 0}"), drawn);
    QTest::newRow("Pillow, optimised") << pillow(QStringLiteral("{'optimize': True}"), drawn);
}

void TestPictureLoader::realEncoders()
{
    QFETCH(QByteArray, file);
    QVERIFY2(!file.isEmpty(), "the encoder failed (tools/setup.sh installs them)");
    const guide::JpegPicture decoded = decode(file);
    QCOMPARE(decoded.failure, JpegFailure::None);
    const QImage image = loadQ(put(file).toStdString(), kFrame);
    QCOMPARE(image.size(), kFrame);
    QCOMPARE(layout(image), QStringLiteral("RBGY"));
}

// Each limit at its value and one step past it; `failure` is what the decode
// must end in. Files at a limit but without the data for a whole picture end
// as cut short, past the check under test.
void TestPictureLoader::limitEdges_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<JpegFailure>("failure");

    const QByteArray oneBit = oneBitABlock();
    QTest::newRow("one bit a block") << oneBit << JpegFailure::None;
    QByteArray shortOfOne = oneBit;
    shortOfOne.remove(shortOfOne.size() - 3, 1); // a byte of the coded data
    QTest::newRow("one byte short of one bit a block") << shortOfOne << JpegFailure::CannotHold;
    QTest::newRow("one bit a block, a row of blocks more")
        << withSize(oneBit, 64, 72) << JpegFailure::CannotHold;

    // Declared sizes at the other limits, with the file padded after its end
    // to hold them at one bit a block.
    const auto padded = [](const QByteArray &file, int w, int h) {
        const std::int64_t blocks = std::int64_t{(w + 7) / 8} * ((h + 7) / 8);
        return withSize(file, w, h) + QByteArray(qsizetype(blocks / 8), '\0');
    };
    // A file of under 1 MiB earns 56 MiB of coefficients: 1024 × 448 blocks
    // of 128 bytes.
    QTest::newRow("coefficients at the budget")
        << padded(oneBit, 8192, 3584) << JpegFailure::Truncated;
    QTest::newRow("coefficients past the budget")
        << padded(oneBit, 8192, 3592) << JpegFailure::CoefficientMemory;
    const QByteArray baseline = cjpeg({QStringLiteral("-grayscale")}, flatGrey(64, 64));
    // 2048 × 2048 pixels at 1/8.
    QTest::newRow("output pixels at the limit")
        << padded(baseline, 16384, 16384) << JpegFailure::Truncated;
    QTest::newRow("output pixels past the limit")
        << padded(baseline, 16384, 16392) << JpegFailure::TooLarge;
    QTest::newRow("blocks past the limit")
        << padded(baseline, 32768, 32776) << JpegFailure::TooLarge;
    // A small arithmetic file earns 60 Mi coefficient visits: 1024 × 960
    // blocks of 64 each; the decoder takes zeros past the data.
    const QByteArray arithmetic =
        cjpeg({QStringLiteral("-grayscale"), QStringLiteral("-arithmetic")}, flatGrey(64, 64));
    QTest::newRow("arithmetic work at the budget")
        << withSize(arithmetic, 8192, 7680) << JpegFailure::None;
    QTest::newRow("arithmetic work past the budget")
        << withSize(arithmetic, 8192, 7688) << JpegFailure::ScanWork;

    QTest::newRow("100 scans") << chromaScans(100) << JpegFailure::None;
    QTest::newRow("101 scans") << chromaScans(101) << JpegFailure::TooManyScans;
    // 512 × 512 blocks: a DC scan, then AC scans of 63 coefficients a block.
    QTest::newRow("Huffman work at the budget") << acRefinements(6) << JpegFailure::None;
    QTest::newRow("Huffman work past the budget") << acRefinements(7) << JpegFailure::ScanWork;
}

void TestPictureLoader::limitEdges()
{
    QFETCH(QByteArray, file);
    QFETCH(JpegFailure, failure);
    QVERIFY2(file.size() > 100, "the encoder failed (tools/setup.sh installs it)");
    const guide::JpegPicture decoded = decode(file);
    QCOMPARE(decoded.failure, failure);
    QCOMPARE(decoded.image.isNull(), failure != JpegFailure::None);
}

// Data after the end marker, on a sparse file: a good picture followed by
// far more zeros than any picture may have; and a picture whose own bytes,
// comments before its frame, go past the cap.
void TestPictureLoader::fileSizeCap()
{
    const QByteArray good = test_pictures::encodeJpeg(quadrants(64, 48));
    const QString path = put(good);
    QVERIFY(::truncate(QFile::encodeName(path).constData(), 2 * limits::kMaxPictureBytes) == 0);
    QCOMPARE(layout(loadQ(path.toStdString(), kFrame)), QStringLiteral("RBGY"));
    const QByteArray comment = segment(0xFE, QByteArray(65533, 'c'));
    const QByteArray padded =
        afterStart(good, comment.repeated(int(limits::kMaxPictureBytes / comment.size()) + 1));
    QCOMPARE(decode(padded).failure, JpegFailure::TooLarge);
    QVERIFY(loadQ(put(padded).toStdString(), kFrame).isNull());
}

void TestPictureLoader::hostileFiles_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<JpegFailure>("failure");
    QTest::addColumn<int>("maxScans");

    QTest::newRow("scans hidden in a segment of marker 0x02")
        << hiddenScans() << JpegFailure::CoefficientMemory << 0;
    QTest::newRow("7240 x 7240 in 1.5 KB of empty scans")
        << emptyScans() << JpegFailure::CannotHold << 0;
    QTest::newRow("5000 repeated scans")
        << repeatedScans(5000) << JpegFailure::TooManyScans << limits::kMaxScans + 1;
    QTest::newRow("text") << QByteArray("not a picture\n") << JpegFailure::Corrupt << 0;
    QTest::newRow("empty") << QByteArray() << JpegFailure::Corrupt << 0;
}

void TestPictureLoader::hostileFiles()
{
    QFETCH(QByteArray, file);
    QFETCH(int, maxScans);
    const guide::JpegPicture decoded = decode(file);
    QTEST(decoded.failure, "failure");
    QVERIFY(decoded.cost.scans <= maxScans);
    QVERIFY(loadQ(put(file).toStdString(), kFrame).isNull());
}

void TestPictureLoader::truncation_data()
{
    QTest::addColumn<QByteArray>("file");

    const QByteArray eoi = bytes({0xFF, 0xD9});
    const QByteArray drawn = ppm(quadrants(640, 480));
    const struct
    {
        const char *name;
        QByteArray file;
    } kinds[] = {{"baseline", test_pictures::encodeJpeg(quadrants(640, 480))},
                 {"progressive", test_pictures::encodeJpeg(quadrants(640, 480), true)},
                 {"restarts", cjpeg({QStringLiteral("-restart"), QStringLiteral("1")}, drawn)}};
    for (const auto &kind : kinds) {
        const QByteArray half = kind.file.left(kind.file.size() / 2);
        QTest::addRow("%s, cut at half", kind.name) << half;
        QTest::addRow("%s, cut at half, end marker added", kind.name) << half + eoi;
    }
}

void TestPictureLoader::truncation()
{
    QFETCH(QByteArray, file);
    const guide::JpegPicture decoded = decode(file);
    // Cut in a segment's header, the end marker added back reads as a bad table.
    QVERIFY2(decoded.failure == JpegFailure::Truncated || decoded.failure == JpegFailure::Corrupt,
             qPrintable(QString::number(int(decoded.failure))));
    QVERIFY(loadQ(put(file).toStdString(), kFrame).isNull());
}

void TestPictureLoader::refusesWhatIsNotAFile()
{
    const QByteArray good = test_pictures::encodeJpeg(quadrants(64, 48));
    const QString path = put(good);
    QVERIFY(!loadQ(path.toStdString(), kFrame).isNull());
    QVERIFY(loadQ(m_dir.filePath(QStringLiteral("missing.jpg")).toStdString(), kFrame).isNull());
    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("folder.jpg")));
    QVERIFY(loadQ(m_dir.filePath(QStringLiteral("folder.jpg")).toStdString(), kFrame).isNull());
    QVERIFY(loadQ("/dev/zero", kFrame).isNull());
    QVERIFY(loadQ(fs::path(), kFrame).isNull());
    // A relative path would be read from wherever the program was started.
    QVERIFY(QDir::setCurrent(m_dir.path()));
    QVERIFY(loadQ(QFileInfo(path).fileName().toStdString(), kFrame).isNull());
    QVERIFY(loadQ(path.toStdString() + "/", kFrame).isNull());

    // With no writer on the other end, a blocking open would wait forever:
    // after 5 s a writer comes, so that a loader that blocks fails the test
    // instead of hanging it.
    const QString fifo = m_dir.filePath(QStringLiteral("fifo.jpg"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    std::atomic<bool> returned = false;
    std::thread loader([&] {
        QVERIFY(loadQ(fifo.toStdString(), kFrame).isNull());
        returned = true;
    });
    for (int waited = 0; !returned && waited < 500; ++waited)
        QThread::msleep(10);
    const bool returnedAtOnce = returned;
    if (!returned)
        ::close(::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK));
    loader.join();
    QVERIFY2(returnedAtOnce, "opening a FIFO blocked");

    // Links are followed to a file (a package may link its photographs), not to a FIFO.
    const QString link = m_dir.filePath(QStringLiteral("link.jpg"));
    QVERIFY(QFile::link(path, link));
    QVERIFY(!loadQ(link.toStdString(), kFrame).isNull());
    const QString fifoLink = m_dir.filePath(QStringLiteral("fifo-link.jpg"));
    QVERIFY(QFile::link(fifo, fifoLink));
    QVERIFY(loadQ(fifoLink.toStdString(), kFrame).isNull());
}

// A folder named in Shift-JIS bytes, and a path longer than PATH_MAX.
void TestPictureLoader::opensByNativeBytes()
{
    const QByteArray good = test_pictures::encodeJpeg(quadrants(64, 48));
    const std::string base = QFile::encodeName(m_dir.path()).toStdString();
    const std::string sjis = base + "/\x83\x7a\x83\x93\x83\x65\x83\x4c"; // ホンテキ
    QCOMPARE(::mkdir(sjis.c_str(), 0700), 0);
    const std::string picture = sjis + "/room1.jpg";
    QFile file;
    QVERIFY(file.open(::open(picture.c_str(), O_WRONLY | O_CREAT, 0600), QIODevice::WriteOnly,
                      QFileDevice::AutoCloseHandle));
    QCOMPARE(file.write(good), good.size());
    file.close();
    QCOMPARE(layout(loadQ(picture, kFrame)), QStringLiteral("RBGY"));

    // 30 folders of 200 bytes each, made and filled one name at a time.
    std::string deep = sjis;
    int folder = ::open(sjis.c_str(), O_RDONLY | O_DIRECTORY);
    for (int i = 0; i < 30; ++i) {
        const std::string name(200, char('a' + i % 26));
        QCOMPARE(::mkdirat(folder, name.c_str(), 0700), 0);
        const int next = ::openat(folder, name.c_str(), O_RDONLY | O_DIRECTORY);
        ::close(folder);
        folder = next;
        QVERIFY(folder >= 0);
        deep += '/' + name;
    }
    QVERIFY(deep.size() > PATH_MAX);
    QVERIFY(file.open(::openat(folder, "room1.jpg", O_WRONLY | O_CREAT, 0600), QIODevice::WriteOnly,
                      QFileDevice::AutoCloseHandle));
    ::close(folder);
    QCOMPARE(file.write(good), good.size());
    file.close();
    QCOMPARE(layout(loadQ(deep + "/room1.jpg", kFrame)), QStringLiteral("RBGY"));
    QVERIFY(loadQ(deep + "/room2.jpg", kFrame).isNull());
    // A step back up is taken by the system, one name at a time like the others.
    const std::string last = deep.substr(deep.rfind('/') + 1);
    QVERIFY(!loadQ(deep + "/../" + last + "/room1.jpg", kFrame).isNull());
    QVERIFY(loadQ(deep + "/../" + std::string(200, 'z') + "/room1.jpg", kFrame).isNull());
    removeTree(AT_FDCWD, sjis);
}

// This test program, copied into a Shift-JIS folder and started through a
// link from elsewhere, names that folder byte for byte.
void TestPictureLoader::programFolder()
{
    const fs::path self = forms::programFolder();
    QVERIFY(self.is_absolute());
    QCOMPARE(QFile::decodeName(self.c_str()), QCoreApplication::applicationDirPath());

    const std::string base = QFile::encodeName(m_dir.path()).toStdString();
    const std::string folder = base + "/\x83\x76\x83\x8d\x83\x4f\x83\x89\x83\x80"; // プログラム
    QCOMPARE(::mkdir(folder.c_str(), 0700), 0);
    const std::string copy = folder + "/tst_picture_loader";
    QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), QFile::decodeName(copy.c_str())) ||
            fs::copy_file(QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString(),
                          copy));
    fs::permissions(copy, fs::perms::owner_exec, fs::perm_options::add);
    const std::string link = base + "/launcher";
    fs::create_symlink(copy, link);
    const std::string printed = outputOf(link, kPrintFolder);
    removeTree(AT_FDCWD, folder); // a name QDir cannot remove
    QCOMPARE(printed, folder);
}

// The decoder reads no further than the file's size when it was opened: data
// appended afterwards, here the rest of a cut-off picture, is never decoded.
void TestPictureLoader::readsOnlyWhatWasOpened()
{
    const QByteArray whole = test_pictures::encodeJpeg(quadrants(640, 480));
    const QString path = put(whole.left(whole.size() / 2));
    const guide::PictureFile file = guide::openPictureFile(path.toStdString());
    QVERIFY(file);
    QFile append(path);
    QVERIFY(append.open(QIODevice::Append));
    QCOMPARE(append.write(whole.mid(whole.size() / 2)), whole.size() - whole.size() / 2);
    append.close();
    QCOMPARE(guide::decodeJpeg(file.fd(), file.size(), toSize(kFrame)).failure,
             JpegFailure::Truncated);
    QVERIFY(!loadQ(path.toStdString(), kFrame).isNull());
}

void TestPictureLoader::readsAnewEachCall()
{
    const QString path = put(test_pictures::encodeJpeg(quadrants(64, 48)));
    QVERIFY(!loadQ(path.toStdString(), kFrame).isNull());
    QVERIFY(QFile::remove(path));
    QVERIFY(loadQ(path.toStdString(), kFrame).isNull());
}

// Flipped bytes and cuts anywhere, including in the Exif segment: any result
// will do but a crash, as long as a picture comes out at the size asked for.
void TestPictureLoader::survivesMutations()
{
    const QByteArray original =
        afterStart(test_pictures::encodeJpeg(quadrants(64, 48), true), exifOrientation(6));
    const QString path = m_dir.filePath(QStringLiteral("mutant.jpg"));
    for (quint32 seed = 1; seed <= 400; ++seed) {
        QRandomGenerator random(seed);
        QByteArray file = original;
        for (int flips = 1 + random.bounded(8); flips > 0; --flips)
            file[random.bounded(file.size())] ^= char(1 + random.bounded(255));
        if (random.bounded(4) == 0)
            file.truncate(random.bounded(file.size()));
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                out.write(file) == file.size());
        out.close();
        const QImage image = loadQ(path.toStdString(), QSize(494, 656));
        QVERIFY2(image.isNull() ||
                     (image.size() == QSize(494, 656) && image.format() == QImage::Format_RGB32),
                 qPrintable(QString::number(seed)));
    }
}

int main(int argc, char *argv[])
{
    // Run as a copy by programFolder(): say where this program lives, and stop.
    if (argc == 2 && std::strcmp(argv[1], kPrintFolder) == 0) {
        const std::string folder = forms::programFolder().native();
        std::fwrite(folder.data(), 1, folder.size(), stdout);
        return folder.empty() ? 1 : 0;
    }
    QCoreApplication app(argc, argv);
    TestPictureLoader test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_picture_loader.moc"
