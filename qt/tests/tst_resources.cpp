// The program's icon: the artwork's colours and composition, the sizes offered
// to window frames, and the .ico written for the Windows resource script, read
// back both field by field and through Qt's own icon reader.

#include "qt/resources/app_icon.h"
#include "qt/resources/standard_palette.h"
#include "tools/icon/ico_writer.h"

#include <QBuffer>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QTest>

#include <algorithm>
#include <QtEndian>

namespace {

constexpr int kSide = 32;

bool sameColour(QRgb a, QRgb b) { return (qAlpha(a) == 0 && qAlpha(b) == 0) || a == b; }

bool isRed(QRgb c) { return c == qRgb(0xFF, 0, 0) || c == qRgb(0x80, 0, 0); }

quint16 le16(const QByteArray &d, int at) { return qFromLittleEndian<quint16>(d.constData() + at); }

quint32 le32(const QByteArray &d, int at) { return qFromLittleEndian<quint32>(d.constData() + at); }

} // namespace

class TestResources : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void artworkIsPaletteColoursOnATransparentGround()
    {
        const QImage image = resources::appIconImage();
        QCOMPARE(image.size(), QSize(kSide, kSide));
        QCOMPARE(image.format(), QImage::Format_ARGB32);
        for (int y = 0; y < kSide; ++y) {
            for (int x = 0; x < kSide; ++x) {
                // Palette membership also bounds the colours to 16.
                const QRgb c = image.pixel(x, y);
                QVERIFY2(qAlpha(c) == 0 || resources::standardPaletteIndex(c) >= 0,
                         qPrintable(QStringLiteral("(%1, %2) is #%3").arg(x).arg(y).arg(c, 8, 16)));
            }
        }
        for (const QPoint corner : {QPoint(0, 0), QPoint(kSide - 1, 0), QPoint(0, kSide - 1),
                                    QPoint(kSide - 1, kSide - 1)})
            QCOMPARE(qAlpha(image.pixel(corner)), 0);
    }

    void letteringIsRedAndAboveTheComputer()
    {
        const QImage image = resources::appIconImage();
        const int topThird = kSide / 3;
        int lettering = 0, below = 0;
        for (int y = 0; y < kSide; ++y) {
            for (int x = 0; x < kSide; ++x) {
                const QRgb c = image.pixel(x, y);
                if (qAlpha(c) == 0)
                    continue;
                if (y < topThird) {
                    QVERIFY2(isRed(c),
                             qPrintable(QStringLiteral("(%1, %2) not red").arg(x).arg(y)));
                    ++lettering;
                } else {
                    QVERIFY2(!isRed(c), qPrintable(QStringLiteral("(%1, %2) red").arg(x).arg(y)));
                    ++below;
                }
            }
        }
        // Six glyphs' worth of strokes, and a computer filling most of the rest.
        QVERIFY(lettering >= 60);
        QVERIFY(below >= (kSide - topThird) * kSide / 2);
    }

    void largerSizesAreWholePixelEnlargements_data()
    {
        QTest::addColumn<int>("factor");
        QTest::newRow("32") << 1;
        QTest::newRow("64") << 2;
    }

    void largerSizesAreWholePixelEnlargements()
    {
        QFETCH(int, factor);
        const QImage base = resources::appIconImage();
        const QIcon icon = resources::appIcon();
        const int side = kSide * factor;
        QVERIFY(icon.availableSizes().contains(QSize(side, side)));
        const QImage big = icon.pixmap(side, side).toImage();
        QCOMPARE(big.size(), QSize(side, side));
        for (int y = 0; y < side; ++y) {
            for (int x = 0; x < side; ++x) {
                if (!sameColour(big.pixel(x, y), base.pixel(x / factor, y / factor)))
                    QFAIL(qPrintable(QStringLiteral("differs at (%1, %2)").arg(x).arg(y)));
            }
        }
    }

    // Every size goes to the window manager with each window: only those a
    // title bar or task list can use at scale factors 1 and 2.
    void windowIconSizes()
    {
        QList<QSize> sizes = resources::appIcon().availableSizes();
        std::sort(sizes.begin(), sizes.end(),
                  [](QSize a, QSize b) { return a.width() < b.width(); });
        QCOMPARE(sizes, (QList<QSize>{{16, 16}, {32, 32}, {64, 64}}));
    }

    void icoFieldsMatchTheArtwork()
    {
        const QImage image = resources::appIconImage();
        const auto ico = icon::encodeIco(image);
        QVERIFY(ico);
        const QByteArray &d = *ico;
        constexpr int kBmp = 22, kPalette = kBmp + 40, kXor = kPalette + 16 * 4;
        constexpr int kAnd = kXor + kSide * kSide / 2, kEnd = kAnd + kSide * kSide / 8;
        QCOMPARE(d.size(), kEnd);

        QCOMPARE(le16(d, 0), 0); // ICONDIR
        QCOMPARE(le16(d, 2), 1);
        QCOMPARE(le16(d, 4), 1);
        QCOMPARE(quint8(d[6]), kSide); // ICONDIRENTRY
        QCOMPARE(quint8(d[7]), kSide);
        QCOMPARE(quint8(d[8]), 16);
        QCOMPARE(le16(d, 10), 1);
        QCOMPARE(le16(d, 12), 4);
        QCOMPARE(le32(d, 14), quint32(kEnd - kBmp));
        QCOMPARE(le32(d, 18), quint32(kBmp));
        QCOMPARE(le32(d, kBmp), 40u); // BITMAPINFOHEADER
        QCOMPARE(le32(d, kBmp + 4), quint32(kSide));
        QCOMPARE(le32(d, kBmp + 8), quint32(2 * kSide));
        QCOMPARE(le16(d, kBmp + 12), 1);
        QCOMPARE(le16(d, kBmp + 14), 4);
        QCOMPARE(le32(d, kBmp + 16), 0u);

        QRgb palette[16];
        for (int i = 0; i < 16; ++i) {
            const auto *q = reinterpret_cast<const uchar *>(d.constData() + kPalette + 4 * i);
            palette[i] = qRgb(q[2], q[1], q[0]);
            QCOMPARE(palette[i], resources::kStandardPalette[i]);
        }
        // Rows are stored bottom-up; the high nibble and the high bit come first.
        for (int y = 0; y < kSide; ++y) {
            const int row = kSide - 1 - y;
            for (int x = 0; x < kSide; ++x) {
                const int index = (quint8(d[kXor + row * 16 + x / 2]) >> (x % 2 ? 0 : 4)) & 0xF;
                const bool masked = (quint8(d[kAnd + row * 4 + x / 8]) >> (7 - x % 8)) & 1;
                const QRgb c = image.pixel(x, y);
                QCOMPARE(masked, qAlpha(c) == 0);
                QCOMPARE(masked ? qRgb(0, 0, 0) : c, palette[index]);
            }
        }
    }

    void icoReadsBackThroughQt()
    {
        if (!QImageReader::supportedImageFormats().contains("ico"))
            QSKIP("Qt's ico image format plugin is not installed");
        const QImage image = resources::appIconImage();
        QByteArray data = icon::encodeIco(image).value_or(QByteArray());
        QBuffer buffer(&data);
        QImageReader reader(&buffer, "ico");
        const QImage back = reader.read();
        QVERIFY2(!back.isNull(), qPrintable(reader.errorString()));
        QCOMPARE(back.size(), image.size());
        for (int y = 0; y < kSide; ++y) {
            for (int x = 0; x < kSide; ++x)
                QVERIFY(sameColour(back.pixel(x, y), image.pixel(x, y)));
        }
    }

    void icoRefusesWhatItCannotStore()
    {
        QImage image(kSide, kSide, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        image.setPixel(3, 4, qRgb(0x12, 0x34, 0x56));
        QString error;
        QVERIFY(!icon::encodeIco(image, &error));
        QVERIFY2(error.contains(QLatin1String("(3, 4)")), qPrintable(error));

        image.setPixel(3, 4, qRgba(0xFF, 0, 0, 0x80));
        QVERIFY(!icon::encodeIco(image));

        QImage huge(300, 300, QImage::Format_ARGB32);
        huge.fill(Qt::transparent);
        QVERIFY(!icon::encodeIco(huge));
    }
};

QTEST_MAIN(TestResources)
#include "tst_resources.moc"
