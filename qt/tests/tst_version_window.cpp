// The version window in Qt: its layout, its modality over the main window,
// and its life from open to close.

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

#include "core/twips.h"
#include "core/version_layout.h"
#include "fake_runtime.h"
#include "qt/about/version_window.h"
#include "qt/app/main_window.h"
#include "qt/forms/frame.h"
#include "qt/forms/option_button.h"
#include "qt/forms/surface.h"
#include "test_pictures.h"

namespace {

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
            return toQString(version_layout::kControls[version_layout::row(id)].caption);
        };
        QCOMPARE(caption(Id::Label1), QStringLiteral("ヌペ部の謎　'99"));
        QCOMPARE(caption(Id::Label2).size(), 40);
        const QString credits = caption(Id::Label3);
        QVERIFY(credits.startsWith(
            QStringLiteral("企画・構成・文章・写真・プログラム：　1999年度ヌペ部部長　")));
        QVERIFY(credits.endsWith(QStringLiteral("／Project ZOMI")));

        // Where the layout puts its controls, in pixels at 100 % (twips / 15):
        // OK at 6720, 960, 375 × 440; the icon at 240, 120, 960 × 720; the labels' corners.
        QCOMPARE(form2.command1()->geometry(), QRect(448, 64, 25, 29));
        const auto placed = [&](Id id) {
            return form2.surface()->deviceRect(version_layout::row(id), 1.0);
        };
        QCOMPARE(placed(Id::Image1), QRect(16, 8, 64, 48));
        QCOMPARE(placed(Id::Label1).topLeft(), QPoint(96, 24));
        QCOMPARE(placed(Id::Label2).topLeft(), QPoint(8, 64));
        QCOMPARE(placed(Id::Label3).topLeft(), QPoint(8, 80));

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
        frame::centreOnScreen(form2);
        form2.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form2));
        int outer = 0;
        QTRY_VERIFY_WITH_TIMEOUT((outer = outerWidthOnScreen(form2.winId())) > 0, 5000);
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
                QTRY_COMPARE_WITH_TIMEOUT(QApplication::focusWidget(), form2.command1(), 5000);
                // Once it glides, try the main window.
                QTRY_VERIFY_WITH_TIMEOUT(form2.label1Left() > 1440.0, 5000);
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
