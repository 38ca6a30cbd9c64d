// The version window: the glide step against its worked trace, the window's
// layout, its modality over the main window, and its life from open to close.

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QMenuBar>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

#include "about/glide.h"
#include "about/version_layout.h"
#include "about/version_window.h"
#include "app/main_window.h"
#include "fake_runtime.h"
#include "forms/form_frame.h"
#include "forms/form_surface.h"
#include "forms/option_button.h"
#include "forms/twips.h"
#include "test_pictures.h"

namespace {

// The stored layout: label 1800 wide, icon from 240 to 1200.
glide::Limits limitsFor(float outerWidth) { return {1800, outerWidth, 240, 960}; }

// Opens the version window through the menu's "バージョン情報" item and runs
// `inside` once it is up; closes it afterwards if `inside` did not (a failed
// check returns early). False when no version window opened within seconds:
// a dead menu item fails the test instead of passing quietly.
bool whileOpen(Form1 &form, const std::function<void(Form2 &)> &inside)
{
    bool ran = false;
    QTimer poll; // ticks inside the modal loop, wherever that loop runs
    poll.setInterval(1);
    QObject::connect(&poll, &QTimer::timeout, &form, [&] {
        auto *form2 = qobject_cast<Form2 *>(QApplication::activeModalWidget());
        if (!form2 || ran)
            return;
        ran = true;
        poll.stop();
        const QPointer<Form2> guard(form2);
        inside(*form2);
        if (guard && guard->isVisible())
            guard->close();
    });
    poll.start();
    form.verItem()->trigger();
    QDeadlineTimer deadline(5000);
    while (!(ran && !QApplication::activeModalWidget()) && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return ran;
}

// What an X11 tool prints about window `id`, or nothing.
QString x11Info(const char *tool, WId id, const QStringList &more = {})
{
    QProcess p;
    p.start(QString::fromLatin1(tool), QStringList{"-id", QString::number(id)} + more);
    return p.waitForFinished(5000) && p.exitCode() == 0 ? QString::fromLocal8Bit(p.readAll())
                                                        : QString();
}

// The window's outer width in pixels as the X server and the window manager
// have it: the client's width plus the frame's left and right; 0 until the
// window manager has framed it.
int outerWidthOnScreen(WId id)
{
    static const QRegularExpression extents(QStringLiteral("= (\\d+), (\\d+), \\d+, \\d+"));
    static const QRegularExpression width(QStringLiteral("\\n\\s*Width: (\\d+)"));
    const QRegularExpressionMatch frame =
        extents.match(x11Info("xprop", id, {QStringLiteral("_NET_FRAME_EXTENTS")}));
    const QRegularExpressionMatch client = width.match(x11Info("xwininfo", id));
    if (!frame.hasMatch() || !client.hasMatch())
        return 0;
    return client.captured(1).toInt() + frame.captured(1).toInt() + frame.captured(2).toInt();
}

} // namespace

class TestVersionWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir folder_;

private Q_SLOTS:
    void initTestCase() { QVERIFY(test_pictures::writeJpeg(folder_.path(), "room1.jpg", Qt::red)); }

    void trace_data()
    {
        QTest::addColumn<int>("tick");
        QTest::addColumn<float>("left");
        QTest::addColumn<int>("direction");
        const struct
        {
            int tick;
            float left;
            int direction;
        } rows[] = {{1, 1540, 0},  {2, 1640, 0},  {38, 5240, 0}, {39, 5340, 1},  {40, 5240, 1},
                    {78, 1440, 1}, {79, 1340, 0}, {80, 1440, 0}, {119, 5340, 1}, {159, 1340, 0}};
        for (const auto &r : rows)
            QTest::addRow("tick %d", r.tick) << r.tick << r.left << r.direction;
    }

    void trace()
    {
        QFETCH(int, tick);
        QFETCH(float, left);
        QFETCH(int, direction);
        glide::State s{1440, glide::Right};
        for (int i = 0; i < tick; ++i)
            s = glide::step(s, limitsFor(7290));
        QCOMPARE(s.left, left);
        QCOMPARE(int(s.direction), direction);
    }

    // Equal to a limit is not past it.
    void equalLimitDoesNotTurn()
    {
        glide::State s{1440, glide::Right};
        for (int i = 0; i < 100 && s.left < 5240; ++i) // 38 steps, unless the step is broken
            s = glide::step(s, limitsFor(7240));
        QCOMPARE(s.left, 5240.f);
        QCOMPARE(int(s.direction), int(glide::Right)); // right edge 7040 = limit 7040
        s = glide::step(s, limitsFor(7240));
        QCOMPARE(s.left, 5340.f);
        QCOMPARE(int(s.direction), int(glide::Left));
        // And on the way back, Left 1400 equal to the left limit does not turn either.
        glide::State back{1500, glide::Left};
        back = glide::step(back, limitsFor(7290));
        QCOMPARE(back.left, 1400.f);
        QCOMPARE(int(back.direction), int(glide::Left));
    }

    void narrowWindowNeverRunsAway()
    {
        glide::State s{1440, glide::Right};
        s = glide::step(s, limitsFor(3000));
        QCOMPARE(s.left, 1540.f);
        QCOMPARE(int(s.direction), int(glide::Left));
        for (int i = 0; i < 1000; ++i) {
            s = glide::step(s, limitsFor(3000));
            QVERIFY(s.left == 1340.f || s.left == 1440.f);
        }
    }

    void layout()
    {
        Form2 form2;
        QCOMPARE(form2.windowTitle(), QStringLiteral("バージョン情報"));
        QCOMPARE(form2.surface()->size(), QSize(480, 98));
        QCOMPARE(form2.minimumSize(), form2.maximumSize());
        QVERIFY(
            !(form2.windowFlags() & (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint)));
        QVERIFY(!form2.windowIcon().isNull());
        QCOMPARE(form2.command1()->text(), QStringLiteral("OK"));
        QVERIFY(!form2.command1()->autoDefault() && !form2.command1()->isDefault());
        QCOMPARE(form2.timer1()->interval(), 50);
        QVERIFY(form2.timer1()->isActive());
        QCOMPARE(form2.direction(), qint16(0));
        QCOMPARE(form2.label1Left(), 1440.0);

        using version_layout::Id;
        const auto caption = [](Id id) {
            return layout::text(version_layout::kControls[version_layout::row(id)].caption);
        };
        QCOMPARE(caption(Id::Label1), QStringLiteral("ヌペ部の謎　'99"));
        QCOMPARE(caption(Id::Label2).size(), 40);
        const QString credits = caption(Id::Label3);
        QVERIFY(credits.startsWith(
            QStringLiteral("企画・構成・文章・写真・プログラム：　1999年度ヌペ部部長　")));
        QVERIFY(credits.endsWith(QStringLiteral("／Project ZOMI")));

        // The icon is enlarged by whole pixels: each icon pixel is a solid 2 × 1.5 block.
        const QImage &icon = form2.surface()->picture(version_layout::row(Id::Image1));
        QCOMPARE(icon.size(), QSize(64, 48));
        QCOMPARE(icon.pixelColor(0, 0), icon.pixelColor(1, 0));
    }

    // The window's own tick reads the label, the icon and its own outer width.
    void tickUsesTheWindowsOwnLimits()
    {
        Form2 form2;
        form2.timer1()->stop();
        const double width = form2.label1Width();
        const double rightLimit = form2.outerWidth() - 200;
        int ticks = 0;
        while (form2.direction() == 0 && ticks < 100) {
            form2.Timer1_Timer();
            ++ticks;
        }
        QCOMPARE(form2.label1Left(), 1440.0 + 100 * ticks);
        QVERIFY(form2.label1Left() + width > rightLimit);
        QVERIFY(form2.label1Left() - 100 + width <= rightLimit);
        for (int back = 0; back < 100 && form2.direction() == 1; ++back)
            form2.Timer1_Timer();
        QCOMPARE(form2.label1Left(), 1340.0);
    }

    // Under a window manager the right turning point lies 200 twips inside
    // the window's outer width, frame included, as the window manager draws
    // it; off screen there is no frame, so a window that read its client
    // width would pass the test above. CTest runs this on a display whose
    // frames are 20 pixels thick, far more than one step.
    void turnsWhereTheFrameEnds()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs X11 and a window manager, as on the test's virtual display");
        Form2 form2;
        form2.timer1()->stop();
        form_frame::centreOnScreen(form2);
        form2.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form2));
        int outer = 0;
        QTRY_VERIFY_WITH_TIMEOUT((outer = outerWidthOnScreen(form2.winId())) > 0, 10000);
        QVERIFY2(outer - form2.width() >= 14, "frames too thin to tell outer from client width");
        // Qt has heard of the frame too.
        QTRY_COMPARE_WITH_TIMEOUT(form2.frameGeometry().width(), outer, 5000);

        const double rightLimit = outer * twips::kPerPixel - 200.0;
        const double width = form2.label1Width();
        int ticks = 0;
        while (form2.direction() == 0 && ticks < 100) {
            form2.Timer1_Timer();
            ++ticks;
        }
        const double turnedAt = form2.label1Left();
        QVERIFY2(turnedAt + width > rightLimit && turnedAt - 100 + width <= rightLimit,
                 qPrintable(QStringLiteral("turned at %1 with a right edge of %2; the limit is %3")
                                .arg(turnedAt)
                                .arg(turnedAt + width)
                                .arg(rightLimit)));
    }

    void modalAndFreshEachTime()
    {
        FakeRuntime runtime(folder_.path());
        Form1 form(runtime);
        form.start();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        for (int opening = 0; opening < 2; ++opening) {
            const bool opened = whileOpen(form, [&](Form2 &form2) {
                QCOMPARE(form2.direction(), qint16(0));
                QCOMPARE(form2.label1Left(), 1440.0);
                QVERIFY(QTest::qWaitForWindowActive(&form2));
                // An owned window counts as active with its owner; the keyboard follows.
                QTRY_COMPARE_WITH_TIMEOUT(QApplication::focusWidget(), form2.command1(), 2000);
                // Let it glide a little, then try the main window.
                QTest::qWait(180);
                QVERIFY(form2.label1Left() > 1440.0);
                QWindow *main = form.windowHandle();
                const QPoint spot = form.option(3)->mapTo(&form, QPoint(7, 7));
                QTest::mouseClick(main, Qt::LeftButton, {}, spot);
                const QRect ver = form.menuBar()->actionGeometry(form.verItem());
                QTest::mouseClick(main, Qt::LeftButton, {},
                                  form.menuBar()->mapTo(&form, ver.center()));
                QCOMPARE(form.selectionNumber(), qint16(1));
                QVERIFY(form.option(1)->isChecked());
                if (opening == 0)
                    QTest::mouseClick(form2.command1(), Qt::LeftButton);
                else
                    form2.close(); // the close box
            });
            QVERIFY(opened);
            QVERIFY(!QApplication::activeModalWidget());
            QVERIFY(qApp->topLevelWidgets().size() >= 1);
            for (QWidget *w : qApp->topLevelWidgets())
                QVERIFY(!qobject_cast<Form2 *>(w));
        }
    }

    void manyOpeningsLeaveNothingBehind()
    {
        FakeRuntime runtime(folder_.path());
        Form1 form(runtime);
        form.start();
        const auto before = qApp->topLevelWidgets().size();
        for (int i = 0; i < 1000; ++i)
            QVERIFY(whileOpen(form, [](Form2 &form2) { form2.Command1_Click(); }));
        QCOMPARE(qApp->topLevelWidgets().size(), before);
        QCOMPARE(form.findChildren<QTimer *>().size(), 0);
    }
};

QTEST_MAIN(TestVersionWindow)
#include "tst_version_window.moc"
