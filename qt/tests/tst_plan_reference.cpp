// The main window's client area against reviewed reference images, one per
// scale factor: walls, rooms, lines and every windowed control must land on
// the pixels they landed on when the images were checked by eye. Text is
// masked (fonts differ between machines); everything around it is compared.
//
// To renew the references after a deliberate change of the plan, run with
// MIRTEKA_WRITE_REFERENCES=1, look at the images, and commit them.

#include <QDir>
#include <QPainter>
#include <QTest>

#include <cmath>

#include "qt/app/main_window.h"
#include "core/main_layout.h"
#include "core/twips.h"
#include "fake_runtime.h"
#include "qt/forms/surface.h"
#include "qt/forms/text_box.h"
#include "render_surface.h"
#include "test_pictures.h"

namespace {

// A channel may differ by this much before a pixel counts as different:
// antialiased option-button rims move by a shade between style versions.
constexpr int kChannelTolerance = 48;
// Pixels allowed to differ outside the masks. A wall moved by one device pixel
// changes over a hundred at scale 1; the window's controls off by one
// logical pixel, fifteen or more.
constexpr int kMaxDifferentPixels = 4;

// Where the text is: labels whole, the text box inside its frame (a line cut
// off at its foot reaches the frame), and the insides of the other controls
// with captions, two device pixels in from their edges so that the edges
// themselves are still compared.
QImage maskText(QImage image, const Form1 &form, qreal dpr)
{
    const Surface &surface = *form.surface();
    const int frame = int(std::floor(form.text1()->frameWidth() * dpr));
    QPainter p(&image);
    for (int row = 0; row < int(main_layout::kControls.size()); ++row) {
        const layout::Control &c = main_layout::kControls[row];
        const bool text = c.kind == layout::Kind::Label || c.kind == layout::Kind::TextBox ||
                          c.kind == layout::Kind::CommandButton ||
                          (c.kind == layout::Kind::OptionButton && !c.caption.empty());
        if (!text)
            continue;
        const QSizeF size = surface.controlSize(row); // a label's is its caption's
        QRect r = toQRect(twips::toDeviceRect(c.left, c.top, size.width(), size.height(), dpr));
        if (c.kind == layout::Kind::OptionButton) // the caption beside the round button
            r.setLeft(r.left() + int(16 * dpr));
        else if (c.kind == layout::Kind::TextBox)
            r.adjust(frame, frame, -frame, -frame);
        else if (c.kind != layout::Kind::Label)
            r.adjust(2, 2, -2, -2);
        p.fillRect(r, Qt::magenta);
    }
    return image;
}

QString referencePath(qreal dpr)
{
    return QStringLiteral(MIRTEKA_TEST_REFERENCES "/main_window_plan@%1x.png").arg(dpr);
}

} // namespace

class TestPlanReference : public QObject
{
    Q_OBJECT

    QTemporaryDir empty_; // no pictures: the frame stays empty

private Q_SLOTS:
    void matchesTheReference_data()
    {
        QTest::addColumn<qreal>("dpr");
        QTest::newRow("1") << 1.0;
        QTest::newRow("1.5") << 1.5;
        QTest::newRow("2") << 2.0;
    }

    void matchesTheReference()
    {
        QFETCH(qreal, dpr);
        FakeRuntime runtime(empty_.path());
        Form1 form(runtime);
        form.start();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QImage actual = maskText(renderSurface(*form.surface(), dpr), form, dpr);

        if (qEnvironmentVariableIsSet("MIRTEKA_WRITE_REFERENCES")) {
            QVERIFY(actual.save(referencePath(dpr)));
            QSKIP("reference written; look at it before committing");
        }
        QImage reference(referencePath(dpr));
        QVERIFY2(!reference.isNull(), qPrintable(referencePath(dpr)));
        reference = reference.convertToFormat(QImage::Format_RGB32);
        QCOMPARE(actual.size(), reference.size());

        int different = 0;
        QImage diff(actual.size(), QImage::Format_RGB32);
        diff.fill(Qt::white);
        for (int y = 0; y < actual.height(); ++y) {
            const auto *a = reinterpret_cast<const QRgb *>(actual.constScanLine(y));
            const auto *b = reinterpret_cast<const QRgb *>(reference.constScanLine(y));
            for (int x = 0; x < actual.width(); ++x) {
                const int d = std::max({std::abs(qRed(a[x]) - qRed(b[x])),
                                        std::abs(qGreen(a[x]) - qGreen(b[x])),
                                        std::abs(qBlue(a[x]) - qBlue(b[x]))});
                if (d > kChannelTolerance) {
                    ++different;
                    diff.setPixel(x, y, qRgb(255, 0, 0));
                }
            }
        }
        if (different > kMaxDifferentPixels) {
            const QString out = QDir::temp().filePath(QStringLiteral("plan@%1x").arg(dpr));
            actual.save(out + QStringLiteral("-actual.png"));
            diff.save(out + QStringLiteral("-diff.png"));
            QFAIL(qPrintable(QStringLiteral("%1 pixels differ from %2 (see %3-*.png)")
                                 .arg(different)
                                 .arg(referencePath(dpr), out)));
        }
    }

    // A repaint of any part of the window draws there what a repaint of the
    // whole draws: nothing the update touches is left out, captions and the
    // photograph included.
    void partialRepaintsMatchTheWhole()
    {
        QTemporaryDir dir;
        QVERIFY(test_pictures::writeJpeg(dir.path(), "room1.jpg", Qt::darkCyan));
        FakeRuntime runtime(dir.path());
        Form1 form(runtime);
        form.handlers().Form_Load();
        Surface &surface = *form.surface();
        const QSize size = surface.size();
        QImage whole(size, QImage::Format_RGB32);
        surface.render(&whole, {}, QRegion(), QWidget::DrawWindowBackground);
        QImage tiles(size, QImage::Format_RGB32);
        tiles.fill(Qt::magenta);
        constexpr int kTile = 37; // odd, so tiles cut through captions and frames
        for (int y = 0; y < size.height(); y += kTile)
            for (int x = 0; x < size.width(); x += kTile) {
                const QRect tile(x, y, kTile, kTile);
                surface.render(&tiles, tile.topLeft(), QRegion(tile),
                               QWidget::DrawWindowBackground);
            }
        QCOMPARE(tiles, whole);
    }
};

QTEST_MAIN(TestPlanReference)
#include "tst_plan_reference.moc"
