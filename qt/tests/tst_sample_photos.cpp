// The sample photographs as the build writes them: the ten names the program
// looks for, readable JPEGs of full size, each picture its own and not blank.

#include "core/guide_entries.h"
#include "qt/forms/qt_convert.h"
#include "sample_scenes.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>
#include <vector>

class TestSamplePhotos : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void writesExactlyTheTenNames();
    void eachDecodesAsFullSizeJpeg();
    void picturesDifferAndAreNotBlank();
    void renderingIsRepeatable();
    void unwritableFolderReportsEveryFile();
    void shippedPhotographsAreTheToolsOwn();

private:
    QTemporaryDir m_dir;
    QString m_folder;
};

namespace {

// The files the guide reads.
QStringList expectedNames()
{
    QStringList names;
    for (const std::u16string_view name : guide::kPictureFiles)
        names << toQString(name);
    return names;
}
const QStringList kExpected = expectedNames();

// Mean absolute difference per channel, 0..255, over two equally sized images.
double meanDifference(const QImage &a, const QImage &b)
{
    qint64 sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    return double(sum) / (3.0 * a.width() * a.height());
}

// Distinct colours after keeping the top three bits of each channel.
int coarseColours(const QImage &image)
{
    QSet<int> seen;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            seen.insert((qRed(p) >> 5) << 6 | (qGreen(p) >> 5) << 3 | qBlue(p) >> 5);
        }
    return int(seen.size());
}

} // namespace

void TestSamplePhotos::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_folder = m_dir.filePath("app"); // not there yet: writing must create it
    QCOMPARE(sample_photos::writeAll(m_folder), QStringList());
}

void TestSamplePhotos::writesExactlyTheTenNames()
{
    QStringList written = QDir(m_folder).entryList(QDir::Files);
    QStringList expected = kExpected;
    written.sort();
    expected.sort();
    QCOMPARE(written, expected);
}

void TestSamplePhotos::eachDecodesAsFullSizeJpeg()
{
    for (const QString &name : kExpected) {
        QImageReader reader(QDir(m_folder).filePath(name));
        QCOMPARE(reader.format(), QByteArray("jpeg"));
        const QImage image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(name + ": " + reader.errorString()));
        QVERIFY2(image.width() >= 640 && image.height() >= 480, qPrintable(name));
    }
}

void TestSamplePhotos::picturesDifferAndAreNotBlank()
{
    std::vector<QImage> small;
    for (const QString &name : kExpected) {
        const QImage image(QDir(m_folder).filePath(name));
        QVERIFY2(coarseColours(image) >= 40, qPrintable(name));
        small.push_back(image.scaled(160, 120, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                            .convertToFormat(QImage::Format_RGB32));
    }
    for (std::size_t i = 0; i < small.size(); ++i)
        for (std::size_t j = i + 1; j < small.size(); ++j)
            QVERIFY2(meanDifference(small[i], small[j]) > 15.0,
                     qPrintable(kExpected[int(i)] + " vs " + kExpected[int(j)]));
}

void TestSamplePhotos::renderingIsRepeatable()
{
    for (const sample_photos::Scene &scene : sample_photos::kScenes)
        QVERIFY2(sample_photos::renderScene(scene) == sample_photos::renderScene(scene),
                 scene.fileName);
}

void TestSamplePhotos::unwritableFolderReportsEveryFile()
{
    const QString blocker = m_dir.filePath("blocker");
    QFile file(blocker);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QCOMPARE(sample_photos::writeAll(blocker + "/app").size(), qsizetype(kExpected.size()));
}

// The photographs kept in the source tree are what the generator draws now:
// a scene changed without redrawing them shows here.
void TestSamplePhotos::shippedPhotographsAreTheToolsOwn()
{
    for (const QString &name : kExpected) {
        const QImage shipped(QDir(MIRTEKA_SHIPPED_PHOTOS).filePath(name));
        const QImage drawn(QDir(m_folder).filePath(name));
        QVERIFY2(!shipped.isNull(), qPrintable(name));
        QCOMPARE(shipped.size(), drawn.size());
        QVERIFY2(meanDifference(shipped.convertToFormat(QImage::Format_RGB32),
                                drawn.convertToFormat(QImage::Format_RGB32)) < 1.0,
                 qPrintable(name));
    }
}

QTEST_MAIN(TestSamplePhotos)
#include "tst_sample_photos.moc"
