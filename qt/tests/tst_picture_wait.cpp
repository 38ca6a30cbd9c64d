// A slow decode keeps the windows alive: the picture is read on another
// thread while this one repaints, the busy cursor shows after a tenth of a
// second, and the handler that asked gets the picture when it is done.

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <atomic>
#include <chrono>
#include <thread>

#include "qt/app/desktop_runtime.h"

namespace {

class Counting : public QWidget
{
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent *) override { ++paints; }
};

} // namespace

class TestPictureWait : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void repaintsWhileDecoding();
};

void TestPictureWait::repaintsWhileDecoding()
{
    Counting window;
    window.resize(200, 100);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    // The decode ends when the test has seen what it waits for, or after 5 s.
    std::atomic<bool> release = false;
    std::atomic<bool> onWorker = false;
    std::atomic<bool> released = false; // by the test, not after the 5 s
    const std::thread::id gui = std::this_thread::get_id();
    DesktopRuntime runtime;
    runtime.setLoader([&](const std::filesystem::path &, guide::Size size) {
        onWorker = std::this_thread::get_id() != gui;
        for (int waited = 0; !release && waited < 500; ++waited)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        released = release.load();
        return guide::makePicture(size);
    });
    int paintsBefore = 0, paintsDuring = 0;
    bool busyCursor = false;
    QTimer::singleShot(20, &window, [&] {
        paintsBefore = window.paints;
        window.update();
    });
    QTimer::singleShot(250, &window, [&] {
        paintsDuring = window.paints;
        busyCursor = QApplication::overrideCursor() &&
                     QApplication::overrideCursor()->shape() == Qt::BusyCursor;
        release = true;
    });
    const guide::Picture picture = runtime.LoadPicture("/nowhere/room1.jpg", {64, 48});

    QVERIFY(onWorker);
    QVERIFY2(released, "the window's timers did not run while it waited");
    QCOMPARE(picture.size(), (guide::Size{64, 48}));
    QVERIFY2(paintsDuring > paintsBefore, "the window did not repaint during the decode");
    QVERIFY(busyCursor);
    QVERIFY(!QApplication::overrideCursor());
}

QTEST_MAIN(TestPictureWait)
#include "tst_picture_wait.moc"
