// The picture loader on files made here: pictures with four coloured quadrants
// that must come out at the frame's size the right way up, and files that must
// come out null: not a picture, cut short, hostile, not a file at all.

#include "guide/picture_loader.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <cstring>

#ifdef Q_OS_UNIX
#include <sys/stat.h>

#include "test_pictures.h"
#endif

namespace {

// Quadrants top-left, top-right, bottom-left, bottom-right, and their letters.
constexpr std::array<QRgb, 4> kColours{qRgb(220, 0, 0), qRgb(0, 0, 220), qRgb(0, 200, 0),
                                       qRgb(230, 230, 0)};
constexpr char kLetters[] = "RBGY";

QImage quadrants(int w, int h)
{
    QImage image(w, h, QImage::Format_Indexed8); // a byte a pixel keeps 48 MP affordable
    image.setColorTable({kColours.begin(), kColours.end()});
    for (int y = 0; y < h; ++y) {
        const int row = y < h / 2 ? 0 : 2;
        std::memset(image.scanLine(y), row, size_t(w / 2));
        std::memset(image.scanLine(y) + w / 2, row + 1, size_t(w - w / 2));
    }
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

QByteArray jpeg(const QImage &image, bool progressive = false)
{
    return test_pictures::encodeJpeg(image, progressive);
}

QByteArray bytes(std::initializer_list<int> list)
{
    QByteArray out;
    for (int b : list)
        out.append(char(b));
    return out;
}

// An Exif segment whose only tag is the orientation, put right after SOI.
QByteArray withOrientation(QByteArray file, int orientation)
{
    const QByteArray app1 = bytes(
        {0xFF, 0xE1, 0,    34,   'E', 'x', 'i', 'f', 0, 0, 'M', 'M',         0, 42, 0, 0, 0, 8,
         0,    1,    0x01, 0x12, 0,   3,   0,   0,   0, 1, 0,   orientation, 0, 0,  0, 0, 0, 0});
    return file.insert(2, app1);
}

// The same file with other dimensions in its frame header.
QByteArray withSize(QByteArray file, int w, int h)
{
    qsizetype pos = 2;
    while (uchar(file[pos + 1]) != 0xC0)
        pos += 2 + (uchar(file[pos + 2]) << 8 | uchar(file[pos + 3]));
    file.replace(pos + 5, 4, bytes({h >> 8, h & 0xFF, w >> 8, w & 0xFF}));
    return file;
}

// A small progressive file whose last scan, with its Huffman table, is repeated
// thousands of times: each repeat is well-formed and costs a full decoding pass.
QByteArray scanBomb()
{
    const QByteArray file = jpeg(quadrants(64, 48), true);
    const qsizetype from = file.lastIndexOf("\xFF\xC4");
    const qsizetype eoi = file.size() - 2;
    return file.left(eoi) + file.mid(from, eoi - from).repeated(5000) + file.mid(eoi);
}

const QSize kFrame(656, 494);

} // namespace

class TestPictureLoader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decodes_data();
    void decodes();
    void rejects_data();
    void rejects();
    void refusesWhatIsNotAFile();
    void readsAnewEachCall();
    void survivesMutations();

private:
    QString put(const QByteArray &content);

    QTemporaryDir m_dir;
    int m_files = 0;
};

QString TestPictureLoader::put(const QByteArray &content)
{
    QFile file(m_dir.filePath(QString::number(++m_files) + QStringLiteral(".jpg")));
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(file.fileName()));
    return file.fileName();
}

void TestPictureLoader::decodes_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("layout");

    const QByteArray landscape = jpeg(quadrants(640, 480));
    QTest::newRow("baseline") << landscape << kFrame << "RBGY";
    QTest::newRow("progressive") << jpeg(quadrants(640, 480), true) << kFrame << "RBGY";
    QTest::newRow("48 MP") << jpeg(quadrants(8000, 6000)) << kFrame << "RBGY";
    QTest::newRow("small, stretched") << jpeg(quadrants(64, 48)) << QSize(300, 700) << "RBGY";
    QTest::newRow("garbage after the end")
        << landscape + QByteArray(500, '\xAB') << kFrame << "RBGY";
    QTest::newRow("orientation 3") << withOrientation(landscape, 3) << kFrame << "YGBR";
    QTest::newRow("orientation 6") << withOrientation(landscape, 6) << QSize(494, 656) << "GRYB";
    QTest::newRow("orientation 8") << withOrientation(landscape, 8) << QSize(494, 656) << "BYRG";
}

void TestPictureLoader::decodes()
{
    QFETCH(QByteArray, file);
    QFETCH(QSize, size);
    const QImage image = guide::loadPicture(put(file), size);
    QCOMPARE(image.size(), size);
    QCOMPARE(image.format(), QImage::Format_RGB32);
    QTEST(layout(image), "layout");
}

void TestPictureLoader::rejects_data()
{
    QTest::addColumn<QByteArray>("file");

    const QByteArray small = jpeg(quadrants(64, 48));
    const QByteArray large = jpeg(quadrants(640, 480));
    QTest::newRow("text") << QByteArray("not a picture\n");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("cut at half") << large.left(large.size() / 2);
    QTest::newRow("cut before the end marker") << large.chopped(2);
    QTest::newRow("5000 scans") << scanBomb();
    QTest::newRow("declares 60000 x 60000") << withSize(small, 60000, 60000);
    QTest::newRow("declares 10000 x 6000") << withSize(small, 10000, 6000);
}

void TestPictureLoader::rejects()
{
    QFETCH(QByteArray, file);
    QVERIFY(guide::loadPicture(put(file), kFrame).isNull());
}

void TestPictureLoader::refusesWhatIsNotAFile()
{
    QVERIFY(guide::loadPicture(m_dir.filePath(QStringLiteral("missing.jpg")), kFrame).isNull());
    QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("folder.jpg")));
    QVERIFY(guide::loadPicture(m_dir.filePath(QStringLiteral("folder.jpg")), kFrame).isNull());
#ifdef Q_OS_UNIX
    // With no writer on the other end, a blocking open would wait forever.
    const QString fifo = m_dir.filePath(QStringLiteral("fifo.jpg"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QVERIFY(guide::loadPicture(fifo, kFrame).isNull());
#endif
}

void TestPictureLoader::readsAnewEachCall()
{
    const QString path = put(jpeg(quadrants(64, 48)));
    QVERIFY(!guide::loadPicture(path, kFrame).isNull());
    QVERIFY(QFile::remove(path));
    QVERIFY(guide::loadPicture(path, kFrame).isNull());
}

// Flipped bytes and cuts anywhere, including in the Exif segment: any result
// will do but a crash, as long as a picture comes out at the size asked for.
void TestPictureLoader::survivesMutations()
{
    QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio.jpeg.warning=false"));
    const QByteArray original = withOrientation(jpeg(quadrants(64, 48), true), 6);
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
        const QImage image = guide::loadPicture(path, kFrame);
        QVERIFY2(image.isNull() ||
                     (image.size() == kFrame && image.format() == QImage::Format_RGB32),
                 qPrintable(QString::number(seed)));
    }
}

QTEST_GUILESS_MAIN(TestPictureLoader)
#include "tst_picture_loader.moc"
