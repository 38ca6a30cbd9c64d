// The guide on the main window, through its real controls and files: each
// entry's text, button state and picture; what the missing-picture report
// leaves on screen; the photo buttons' wiring. What the handlers decide is
// the core's, and tested there.

#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include <algorithm>

#include "qt/app/main_window.h"
#include "core/guide_entries.h"
#include "fake_runtime.h"
#include "qt/forms/surface.h"
#include "qt/forms/option_button.h"
#include "qt/forms/text_box.h"
#include "test_pictures.h"

using test_pictures::middle;
using test_pictures::near;

namespace {

// Each picture file the guide reads (in the guide's own order) its own colour,
// so the frame tells which one it shows.
const QColor kColours[] = {QColor(200, 0, 0),   QColor(0, 160, 0),    QColor(0, 0, 200),
                           QColor(200, 200, 0), QColor(200, 0, 200),  QColor(0, 200, 200),
                           QColor(90, 40, 10),  QColor(250, 150, 50), QColor(120, 120, 250),
                           QColor(40, 40, 40)};
static_assert(std::size(kColours) == guide::kPictureFiles.size());

QColor colourOf(const QString &name)
{
    for (std::size_t i = 0; i < guide::kPictureFiles.size(); ++i)
        if (name == toQString(guide::kPictureFiles[i]))
            return kColours[i];
    return {};
}

QString missingMessage(const QString &name)
{
    return QStringLiteral("画像ファイル「") + name +
           QStringLiteral("」がみつかりません。\r\n間違って削除した場合は、新たにダウンロードし直し"
                          "て下さい。");
}

} // namespace

class TestGuide : public QObject
{
    Q_OBJECT

    QTemporaryDir dir_;
    QString folder_;

    QString path(const QString &name) const { return folder_ + u'/' + name; }

    void verifyMessage(const FakeRuntime &runtime, const QString &name)
    {
        QVERIFY(!runtime.asked.empty());
        const auto &asked = runtime.asked.back();
        QCOMPARE(asked.prompt, missingMessage(name));
        QCOMPARE(asked.style, int(vbOKOnly));
        QCOMPARE(asked.title, QStringLiteral("えらー"));
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(dir_.isValid());
        folder_ = dir_.path();
        QDir(folder_).removeRecursively();
        QDir().mkpath(folder_);
        for (std::size_t i = 0; i < guide::kPictureFiles.size(); ++i)
            QVERIFY(
                test_pictures::writeJpeg(folder_, toQString(guide::kPictureFiles[i]), kColours[i]));
    }

    void everyEntry_data()
    {
        QTest::addColumn<int>("n");
        for (int n = 1; n <= 8; ++n)
            QTest::addRow("entry %d", n) << n;
    }

    void everyEntry()
    {
        QFETCH(int, n);
        FakeRuntime runtime(folder_);
        Form1 form(runtime);
        form.start();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.handlers().Option2_Click(); // start somewhere else, so every entry is a change
        QTest::mouseClick(form.option(n), Qt::LeftButton, {}, QPoint(7, 7));
        const guide::Entry &entry = guide::kEntries[n - 1];
        QCOMPARE(form.selectionNumber(), qint16(n));
        QCOMPARE(form.command2()->isEnabled(), n == 1 || n == 4);
        QVERIFY(form.command1()->isEnabled());
        QCOMPARE(form.text1()->text(), toQString(guide::composeText(entry)));
        const QString file = toQString(entry.picture);
        QCOMPARE(pathText(form.picturePath()), path(file));
        QVERIFY(runtime.asked.empty());
        QVERIFY(near(middle(form.image1Picture()), colourOf(file)));
    }

    // Any picture is decoded at the frame's size in device pixels and fills it
    // exactly, edge to edge (this test also runs at scale factor 2).
    void pictureFillsTheFrame()
    {
        QImage halves(100, 20, QImage::Format_RGB32);
        halves.fill(Qt::red);
        for (int y = 0; y < 20; ++y)
            for (int x = 50; x < 100; ++x)
                halves.setPixelColor(x, y, Qt::blue);
        QVERIFY(halves.save(path("kita.jpg"), "JPEG", 100));
        FakeRuntime runtime(folder_);
        Form1 form(runtime);
        form.start();
        form.handlers().Option2_Click();
        const qreal dpr = form.devicePixelRatioF();
        const auto device = [dpr](int twips) { return qRound(twips * dpr / 15); };
        const QRect frame(QPoint(device(5160), device(840)),
                          QPoint(device(5160 + 4920) - 1, device(840 + 3705) - 1));
        QCOMPARE(form.image1Picture().size(), frame.size()); // 328 × 247 at scale factor 1
        QImage shot(form.surface()->size() * dpr, QImage::Format_RGB32);
        shot.setDevicePixelRatio(dpr);
        form.surface()->render(&shot);
        QVERIFY(near(shot.pixelColor(frame.topLeft()), Qt::red, 40));
        QVERIFY(near(shot.pixelColor(frame.bottomRight()), Qt::blue, 40));
        QCOMPARE(shot.pixelColor(frame.left() - 1, frame.center().y()), QColor(Qt::black));
        QCOMPARE(shot.pixelColor(frame.right() + 1, frame.center().y()), QColor(Qt::black));
    }

    void startWithoutRoom1()
    {
        QFile::remove(path("room1.jpg"));
        FakeRuntime runtime(folder_);
        Form1 form(runtime);
        runtime.watched = &form;
        form.start();
        QCOMPARE(runtime.asked.size(), std::size_t(1));
        verifyMessage(runtime, "room1.jpg");
        QVERIFY(!runtime.asked[0].mainWindowVisible);
        QVERIFY(form.isVisible());
        QCOMPARE(form.text1()->text(), toQString(guide::composeText(guide::kEntries[0])));
        QVERIFY(form.command2()->isEnabled());
        QVERIFY(form.image1Picture().isNull());
    }

    // A failed load keeps the old picture beside the new entry's text and state.
    void missingPictureKeepsThePreviousOne()
    {
        QFile::remove(path("tv.jpg"));
        FakeRuntime runtime(folder_);
        Form1 form(runtime);
        form.start();
        form.handlers().Option2_Click();
        form.handlers().Option3_Click();
        verifyMessage(runtime, "tv.jpg");
        QCOMPARE(form.selectionNumber(), qint16(3));
        QCOMPARE(form.text1()->text(), toQString(guide::composeText(guide::kEntries[2])));
        QVERIFY(!form.command2()->isEnabled());
        QCOMPARE(pathText(form.picturePath()), path("tv.jpg"));
        QVERIFY(near(middle(form.image1Picture()), colourOf("kita.jpg")));
    }

    // The build puts exactly the guide's photographs beside the program, each a
    // picture the loader shows.
    void programFolderHoldsTheGuidesPhotographs()
    {
        QStringList found = QDir(MIRTEKA_APP_DIR).entryList({QStringLiteral("*.jpg")}, QDir::Files);
        QStringList expected;
        for (const std::u16string_view name : guide::kPictureFiles)
            expected << toQString(name);
        found.sort();
        expected.sort();
        QCOMPARE(found, expected);
        DesktopRuntime runtime;
        for (const QString &name : expected)
            QVERIFY2(
                !loadedImage(runtime,
                             QFile::encodeName(QDir(MIRTEKA_APP_DIR).filePath(name)).toStdString(),
                             QSize(328, 247))
                     .isNull(),
                qPrintable(name));
    }

    // What start-up reads ahead is what Load asks for; a guess that drifted
    // from it would only cost the time the reading ahead saves.
    void startUpReadsAheadWhatLoadAsksFor()
    {
        FakeRuntime runtime(folder_);
        Form1 form(runtime);
        form.start();
        QCOMPARE(runtime.loads.size(), std::size_t(1));
        QCOMPARE(pathText(runtime.loads[0]), pathText(Form1::firstPicturePath(runtime.folder)));
        QCOMPARE(runtime.loadSizes[0], Form1::image1DeviceSize(form.devicePixelRatioF()));
    }

    // A picture read ahead answers one load of the same file at the same size;
    // any other load, and every later one, reads the file itself.
    void aPictureReadAheadAnswersOneMatchingLoad()
    {
        const QSize size(328, 247);
        const auto file = [this](const char *name) {
            return std::filesystem::path(
                QFile::encodeName(path(QString::fromLatin1(name))).toStdString());
        };
        DesktopRuntime runtime;

        runtime.prefetchPicture(file("room1.jpg"), toSize(size));
        QVERIFY(near(middle(loadedImage(runtime, file("kita.jpg"), size)), colourOf("kita.jpg")));

        runtime.prefetchPicture(file("room1.jpg"), toSize(size));
        QCOMPARE(loadedImage(runtime, file("room1.jpg"), QSize(164, 123)).size(), QSize(164, 123));

        runtime.prefetchPicture(file("room1.jpg"), toSize(size));
        const QImage early = loadedImage(runtime, file("room1.jpg"), size);
        QCOMPARE(early.size(), size);
        QVERIFY(near(middle(early), colourOf("room1.jpg")));
        QVERIFY(QFile::remove(path("room1.jpg")));
        QVERIFY(QFile::copy(path("kita.jpg"), path("room1.jpg")));
        QVERIFY(near(middle(loadedImage(runtime, file("room1.jpg"), size)), colourOf("kita.jpg")));
    }

    // Whatever lies under a picture's name, the answer is the same message, at once.
    void unusableFiles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("text file") << "text";
        QTest::newRow("directory") << "directory";
        QTest::newRow("fifo") << "fifo";
        QTest::newRow("empty") << "empty";
        QTest::newRow("truncated") << "truncated";
    }

    void unusableFiles()
    {
        QFETCH(QString, kind);
        const QString file = path("matsu.jpg");
        QFile::remove(file);
        if (kind == "text") {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("this is not a picture\n");
        } else if (kind == "directory") {
            QVERIFY(QDir().mkdir(file));
        } else if (kind == "fifo") {
            QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
        } else if (kind == "empty") {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
        } else {
            QImage big(400, 300, QImage::Format_RGB32);
            big.fill(Qt::white);
            QVERIFY(big.save(file, "JPEG", 90));
            QFile f(file);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.resize(f.size() / 2));
        }
        FakeRuntime runtime(folder_);
        Form1 form(runtime);
        form.start();
        form.handlers().Option6_Click();
        QCOMPARE(runtime.asked.size(), std::size_t(1));
        verifyMessage(runtime, "matsu.jpg");
        QVERIFY(near(middle(form.image1Picture()), colourOf("room1.jpg")));
        QDir(file).removeRecursively();
        QFile::remove(file);
    }

    // No cache: every showing reads the file, so deletion and restoration show at once.
    void deletedThenRestored()
    {
        FakeRuntime runtime(folder_);
        Form1 form(runtime);
        form.start();
        form.handlers().Option5_Click();
        QVERIFY(runtime.asked.empty());
        QVERIFY(QFile::rename(path("karasu.jpg"), path("karasu.bak")));
        form.handlers().Option5_Click();
        verifyMessage(runtime, "karasu.jpg");
        QVERIFY(near(middle(form.image1Picture()), colourOf("karasu.jpg")));
        QVERIFY(test_pictures::writeJpeg(folder_, "karasu.jpg", Qt::white));
        form.handlers().Option5_Click();
        QCOMPARE(runtime.asked.size(), std::size_t(1));
        QVERIFY(near(middle(form.image1Picture()), Qt::white));
        QCOMPARE(std::count(runtime.loads.begin(), runtime.loads.end(),
                            QFile::encodeName(path("karasu.jpg")).toStdString()),
                 3);
        QFile::remove(path("karasu.bak"));
    }

    void photoButtons_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("photo1");
        QTest::addColumn<QString>("photo2");
        QTest::newRow("entry 1") << 1 << "room1.jpg"
                                 << "room2.jpg";
        QTest::newRow("entry 4") << 4 << "paso1.jpg"
                                 << "paso2.jpg";
    }

    void photoButtons()
    {
        QFETCH(int, entry);
        QFETCH(QString, photo1);
        QFETCH(QString, photo2);
        FakeRuntime runtime(folder_);
        Form1 form(runtime);
        form.start();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QTest::mouseClick(form.option(entry), Qt::LeftButton, {}, QPoint(7, 7));
        const QString text = form.text1()->text();
        QTest::mouseClick(form.command2(), Qt::LeftButton);
        QVERIFY(near(middle(form.image1Picture()), colourOf(photo2)));
        QTest::mouseClick(form.command1(), Qt::LeftButton);
        QVERIFY(near(middle(form.image1Picture()), colourOf(photo1)));
        QTest::mouseClick(form.command2(), Qt::LeftButton);
        // A missing second photograph: its own name in the message, the first one stays.
        QFile::remove(path(photo1));
        QTest::mouseClick(form.command1(), Qt::LeftButton);
        verifyMessage(runtime, photo1);
        QVERIFY(near(middle(form.image1Picture()), colourOf(photo2)));
        QCOMPARE(form.selectionNumber(), qint16(entry));
        QCOMPARE(form.text1()->text(), text);
        QVERIFY(form.command2()->isEnabled());
    }

};

QTEST_MAIN(TestGuide)
#include "tst_guide.moc"
