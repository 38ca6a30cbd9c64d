// The floor plan as it reaches the screen: colours of every region, the
// overlaps the depth order decides, line widths at several scale factors, and
// the option group under mouse and keyboard.

#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

#include "qt/app/main_window.h"
#include "fake_runtime.h"
#include "qt/forms/surface.h"
#include "qt/forms/option_button.h"
#include "render_surface.h"

namespace {

const QColor kYellow(0xFF, 0xFF, 0xC0), kWhite(0xFF, 0xFF, 0xFF), kGrey(0xE0, 0xE0, 0xE0),
    kCyan(0xC0, 0xFF, 0xFF), kBlack(0, 0, 0);

// The window rendered off screen at a scale factor, sampled by twips.
struct Rendering
{
    QImage image;
    qreal dpr;

    int device(int twips) const { return qRound(twips * dpr / 15); }
    QColor at(int x, int y) const { return image.pixelColor(device(x), device(y)); }
    // Centre of the device pixel that twips (x, y) fall in, offset by whole device pixels.
    QColor pixel(int dx, int dy) const { return image.pixelColor(dx, dy); }
};

Rendering render(Form1 &form, qreal dpr) { return {renderSurface(*form.surface(), dpr), dpr}; }

} // namespace

class TestFloorPlan : public QObject
{
    Q_OBJECT

    QTemporaryDir empty_; // no pictures: the frame stays empty, each load shows a message

private Q_SLOTS:
    void regions_data()
    {
        QTest::addColumn<qreal>("dpr");
        QTest::newRow("1") << 1.0;
        QTest::newRow("1.25") << 1.25;
        QTest::newRow("1.5") << 1.5;
        QTest::newRow("2") << 2.0;
    }

    // An interior point of every visible region has its table colour (Shape16 is
    // all border and option button, so it has no region of its own to sample).
    void regions()
    {
        QFETCH(qreal, dpr);
        FakeRuntime runtime(empty_.path());
        Form1 form(runtime);
        const Rendering r = render(form, dpr);
        const struct
        {
            const char *what;
            int x, y;
            QColor colour;
        } points[] = {
            {"left strip (Shape9)", 360, 4200, kYellow},
            {"bottom band (Shape9)", 1600, 4800, kYellow},
            {"main room (Shape1)", 2000, 1800, kWhite},
            {"east room (Shape8)", 4300, 1500, kCyan},
            {"Shape2", 700, 1600, kCyan},
            {"Shape3", 3420, 2900, kCyan},
            {"Shape4", 3300, 1380, kGrey},
            {"Shape5", 1900, 2400, kGrey},
            {"Shape6", 1600, 1050, kCyan},
            {"Shape7", 2700, 4400, kGrey},
            {"Shape10", 700, 2200, kGrey},
            {"Shape11", 2030, 3110, kCyan},
            {"Shape12", 3420, 3500, kCyan},
            {"Shape13", 630, 3830, kCyan},
            {"Shape14", 2150, 1070, kCyan},
            {"Shape15", 3000, 960, kGrey},
            {"Shape17", 3420, 2450, kCyan},
            {"Shape18", 3420, 1800, kCyan},
        };
        for (const auto &p : points)
            QVERIFY2(r.at(p.x, p.y) == p.colour,
                     qPrintable(QStringLiteral("%1: %2").arg(p.what, r.at(p.x, p.y).name())));
    }

    void linesAndOverlaps_data() { regions_data(); }

    void linesAndOverlaps()
    {
        QFETCH(qreal, dpr);
        FakeRuntime runtime(empty_.path());
        Form1 form(runtime);
        const Rendering r = render(form, dpr);
        const int thin = qMax(1, qRound(dpr));

        // The fourteen treads of the steps: one logical pixel each, yellow between.
        for (int y = 2040; y <= 3600; y += 120) {
            const int row = r.device(y);
            for (int k = 0; k < thin; ++k)
                QCOMPARE(r.pixel(r.device(360), row + k), kBlack);
            QCOMPARE(r.pixel(r.device(360), row - 1), kYellow);
            QCOMPARE(r.pixel(r.device(360), row + thin), kYellow);
        }

        // Line28, three pixels wide, lies above the east room; Shape4 shows left of it.
        const int wide = qMax(1, qRound(3 * dpr));
        const int first = r.device(3615) - (wide - 1) / 2;
        const int y = r.device(3950); // below the cyan blocks, beside Shape4's lower end
        for (int k = 0; k < wide; ++k)
            QCOMPARE(r.pixel(first + k, y), kBlack);
        QCOMPARE(r.pixel(first + wide, y), kCyan);

        // Where Shape1 and Shape8 overlap, the main room's border is on top.
        QCOMPARE(r.pixel(r.device(3600), r.device(4445)), kBlack);

        // The diagonal from the corner of the plan meets the first tread.
        const QPoint mid(r.device(360), r.device(1440));
        bool black = false;
        for (int dx = -thin; dx <= thin && !black; ++dx)
            for (int dy = -thin; dy <= thin && !black; ++dy)
                black = r.pixel(mid.x() + dx, mid.y() + dy) == kBlack;
        QVERIFY(black);
        QCOMPARE(r.at(200, 1440), kYellow); // left of the diagonal

        // Bracket around Shape2 and the doorway strokes crossing the rooms' bottom edge.
        QCOMPARE(r.pixel(r.device(1000), r.device(1080)), kBlack);
        QCOMPARE(r.pixel(r.device(1200), r.device(4530)), kBlack);
        QCOMPARE(r.pixel(r.device(4680), r.device(4530)), kBlack);

        // The empty picture frame: a ring of one logical pixel just outside the image.
        const int left = r.device(5160), top = r.device(840);
        QCOMPARE(r.pixel(left - 1, r.device(2000)), kBlack);
        QCOMPARE(r.pixel(left - thin - 1, r.device(2000)), form.palette().color(QPalette::Button));
        QCOMPARE(r.pixel(r.device(7000), top - 1), kBlack);
        QCOMPARE(r.pixel(r.device(7000), r.device(2000)), form.palette().color(QPalette::Button));
    }

    // Labels show the shape under them and clip to their bounds.
    void labels()
    {
        FakeRuntime runtime(empty_.path());
        Form1 form(runtime);
        const Rendering r = render(form, 1);
        auto count = [&](QRect box, auto pred) {
            int n = 0;
            for (int y = box.top(); y <= box.bottom(); ++y)
                for (int x = box.left(); x <= box.right(); ++x)
                    n += pred(r.image.pixelColor(x, y)) ? 1 : 0;
            return n;
        };
        auto dark = [](QColor c) { return c.lightness() < 100; };
        // "廊下" over the yellow band: ink and yellow, nothing of the window's own colour.
        const QRect label1(168, 312, 24, 12);
        QVERIFY(count(label1, dark) > 10);
        QVERIFY(count(label1, [](QColor c) { return c == kYellow; }) > 50);
        // "ヌペ文庫" one character a line: ink in each of the four 12-pixel rows.
        for (int line = 0; line < 4; ++line)
            QVERIFY2(count(QRect(43, 160 + 12 * line, 15, 12), dark) > 5,
                     qPrintable(QString::number(line)));
        // Nothing of it spills out to the right of its 225-twip width, onto the white room.
        QCOMPARE(count(QRect(58, 160, 10, 48), dark), 0);
        // "コピー機" over the grey Shape7.
        QVERIFY(count(QRect(184, 280, 44, 12), dark) > 20);
    }

    void optionButtonsStandOnTheirSpots()
    {
        FakeRuntime runtime(empty_.path());
        Form1 form(runtime);
        const Rendering r = render(form, 1);
        for (int n = 1; n <= 8; ++n) {
            const QRect g = form.option(n)->geometry();
            // The button's own cyan back shows at its corner, and its mark is drawn.
            QCOMPARE(r.image.pixelColor(g.topLeft()), kCyan);
            int ink = 0;
            for (int y = g.top(); y <= g.bottom(); ++y)
                for (int x = g.left(); x <= g.right(); ++x)
                    ink += r.image.pixelColor(x, y).lightness() < 160;
            QVERIFY2(ink > 4, qPrintable(QString::number(n)));
        }
        QCOMPARE(form.option(8)->text(), QStringLiteral("東ヌペ部"));
    }

    void groupIsExclusive()
    {
        FakeRuntime runtime(empty_.path());
        Form1 form(runtime);
        form.start();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        for (int n : {3, 8, 1, 6, 6, 2}) {
            QTest::mouseClick(form.option(n), Qt::LeftButton, {}, QPoint(7, 7));
            QCOMPARE(form.selectionNumber(), qint16(n));
            for (int m = 1; m <= 8; ++m)
                QCOMPARE(form.option(m)->isChecked(), m == n);
        }
        // A click on a spot beside its button selects nothing.
        QTest::mouseClick(form.surface(), Qt::LeftButton, {}, QPoint(126, 280)); // Shape16's corner
        QTest::mouseClick(form.surface(), Qt::LeftButton, {}, QPoint(300, 160)); // east room
        QCOMPARE(form.selectionNumber(), qint16(2));
        QVERIFY(form.option(2)->isChecked());
    }

    void arrowKeysWalkTheGroupInTabOrder()
    {
        FakeRuntime runtime(empty_.path());
        Form1 form(runtime);
        form.start();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.option(1)->setFocus();
        // Tab order of the group: 7, 2, 3, 4, 5, 8, 6, 1, and round again.
        const struct
        {
            Qt::Key key;
            int to;
        } steps[] = {{Qt::Key_Down, 7}, {Qt::Key_Right, 2}, {Qt::Key_Down, 3}, {Qt::Key_Up, 2},
                     {Qt::Key_Left, 7}, {Qt::Key_Up, 1},    {Qt::Key_Up, 6},   {Qt::Key_Up, 8}};
        for (const auto &step : steps) {
            QTest::keyClick(QApplication::focusWidget(), step.key);
            QCOMPARE(form.selectionNumber(), qint16(step.to));
            QCOMPARE(QApplication::focusWidget(), form.option(step.to));
            QVERIFY(form.option(step.to)->isChecked());
            QCOMPARE(form.command2()->isEnabled(), step.to == 1 || step.to == 4);
        }
    }
};

QTEST_MAIN(TestFloorPlan)
#include "tst_floor_plan.moc"
