// The JPEG marker walk: hand-made marker sequences for each way a walk can
// end, files from Qt's own encoder, and every cut of a file.

#include "guide/jpeg_structure.h"

#include <QBuffer>
#include <QImage>
#include <QTest>

#include "test_pictures.h"

using guide::JpegEnd;

namespace {

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

const QByteArray kSoi = bytes({0xFF, 0xD8});
const QByteArray kEoi = bytes({0xFF, 0xD9});
const QByteArray kSof =
    segment(0xC0, bytes({8, 0x01, 0xE0, 0x02, 0x80, 1, 1, 0x11, 0})); // 640 × 480
const QByteArray kSos = segment(0xDA, bytes({1, 1, 0x00, 0, 63, 0}));
// Stuffed FF, a restart marker, fill bytes before a restart marker.
const QByteArray kEntropy =
    bytes({0x12, 0xFF, 0x00, 0x34, 0xFF, 0xD0, 0x56, 0xFF, 0xFF, 0xD1, 0x78});
// An APP1 segment holding an end-of-image marker, as an embedded thumbnail does.
const QByteArray kApp1 = segment(0xE1, bytes({'E', 'x', 'i', 'f', 0, 0, 0xFF, 0xD8, 0xFF, 0xD9}));

QByteArray progressiveJpeg()
{
    QImage image(40, 24, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    return test_pictures::encodeJpeg(image, true);
}

guide::JpegStructure scan(const QByteArray &b)
{
    return guide::scanJpegStructure(
        std::span(reinterpret_cast<const std::uint8_t *>(b.constData()), std::size_t(b.size())));
}

// The same walk through a device, which reads in windows of 64 KiB.
guide::JpegStructure scanDevice(QByteArray b)
{
    QBuffer buffer(&b);
    buffer.open(QIODevice::ReadOnly);
    return guide::scanJpegStructure(buffer);
}

bool same(const guide::JpegStructure &a, const guide::JpegStructure &b)
{
    return a.end == b.end && a.width == b.width && a.height == b.height && a.scans == b.scans;
}

// Grain everywhere, so the entropy-coded data runs over several windows and
// holds stuffed bytes on both sides of their seams.
QByteArray largeJpeg(bool progressive)
{
    QImage image(900, 700, QImage::Format_RGB32);
    quint32 x = 12345;
    for (int row = 0; row < image.height(); ++row)
        for (int col = 0; col < image.width(); ++col) {
            x = x * 1103515245u + 12345u;
            image.setPixel(col, row, x >> 8);
        }
    return test_pictures::encodeJpeg(image, progressive, 95);
}

} // namespace

class TestJpegStructure : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void walk_data();
    void walk();
    void everyCutIsIncomplete();
    void deviceWalkReadsAcrossWindows();
};

void TestJpegStructure::walk_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<JpegEnd>("end");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("scans");

    const QByteArray body = kSoi + kApp1 + kSof + kSos + kEntropy;
    QTest::newRow("one scan") << body + kEoi << JpegEnd::Eoi << 640 << 480 << 1;
    QTest::newRow("fill before markers, tables between scans")
        << kSoi + bytes({0xFF, 0xFF}) + kSof + kSos + kEntropy + bytes({0xFF}) +
               segment(0xC4, bytes({0x10})) + kSos + kEntropy + kEoi
        << JpegEnd::Eoi << 640 << 480 << 2;
    QTest::newRow("garbage after end")
        << body + kEoi + "trailing" << JpegEnd::Eoi << 640 << 480 << 1;
    QTest::newRow("Qt progressive") << progressiveJpeg() << JpegEnd::Eoi << 40 << 24 << 10;

    QTest::newRow("empty") << QByteArray() << JpegEnd::NotJpeg << 0 << 0 << 0;
    QTest::newRow("entropy data runs out") << body << JpegEnd::Truncated << 640 << 480 << 1;
    QTest::newRow("ends on FF") << body + bytes({0xFF}) << JpegEnd::Truncated << 640 << 480 << 1;
    QTest::newRow("segment past end")
        << kSoi + bytes({0xFF, 0xE1, 0x40, 0x00}) + QByteArray(100, 'x') + kEoi
        << JpegEnd::Truncated << 0 << 0 << 0;
    QTest::newRow("length below 2")
        << kSoi + bytes({0xFF, 0xE0, 0x00, 0x01}) + kEoi << JpegEnd::Malformed << 0 << 0 << 0;
    QTest::newRow("stray byte between segments")
        << kSoi + kSof + "x" + kSos + kEntropy + kEoi << JpegEnd::Malformed << 640 << 480 << 0;
    QTest::newRow("scan before frame")
        << kSoi + kSos + kEntropy + kEoi << JpegEnd::Malformed << 0 << 0 << 0;
    QTest::newRow("second frame") << kSoi + kSof + kSof + kSos + kEntropy + kEoi
                                  << JpegEnd::Malformed << 640 << 480 << 0;
    QTest::newRow("frame header too short")
        << kSoi + segment(0xC2, bytes({8, 0x01, 0xE0, 0x02, 0x80, 3, 1, 0x11, 0})) + kEoi
        << JpegEnd::Malformed << 0 << 0 << 0;
}

void TestJpegStructure::walk()
{
    QFETCH(QByteArray, file);
    QFETCH(JpegEnd, end);
    const auto s = scan(file);
    QVERIFY(same(s, scanDevice(file)));
    QCOMPARE(s.end, end);
    QTEST(s.width, "width");
    QTEST(s.height, "height");
    QTEST(s.scans, "scans");
}

// Every proper prefix of a file is cut short, wherever the cut falls: in a
// segment, in entropy data, between a marker's two bytes.
void TestJpegStructure::everyCutIsIncomplete()
{
    for (const QByteArray &file :
         {progressiveJpeg(), kSoi + kApp1 + kSof + kSos + kEntropy + kEoi}) {
        for (qsizetype cut = 0; cut < file.size(); ++cut) {
            const JpegEnd end = scan(file.left(cut)).end;
            QVERIFY2(end == JpegEnd::Truncated || (cut < 2 && end == JpegEnd::NotJpeg),
                     qPrintable(QString::number(cut)));
        }
    }
}

// A file many windows long walks the same from a device as from memory, whole
// and cut anywhere near the seams between windows.
void TestJpegStructure::deviceWalkReadsAcrossWindows()
{
    for (bool progressive : {false, true}) {
        const QByteArray file = largeJpeg(progressive);
        QVERIFY(file.size() > 4 * 65536);
        const auto whole = scanDevice(file);
        QCOMPARE(whole.end, JpegEnd::Eoi);
        QCOMPARE(whole.width, 900);
        QVERIFY(same(whole, scan(file)));
        for (qsizetype seam = 65536; seam < file.size(); seam += 65536)
            for (qsizetype cut = seam - 3; cut <= seam + 3; ++cut) {
                const auto s = scanDevice(file.left(cut));
                QCOMPARE(s.end, JpegEnd::Truncated);
                QVERIFY(same(s, scan(file.left(cut))));
            }
    }
}

QTEST_GUILESS_MAIN(TestJpegStructure)
#include "tst_jpeg_structure.moc"
