// Long runs that shake out what a single pass does not: drift in the glide,
// windows or timers left behind by thousands of openings of the version
// window, and state that goes wrong after many clicks while the picture files
// come and go under the program. Each run also checks that resident memory
// levels off after a warm-up.

#include <QBuffer>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <array>
#include <random>

#include <unistd.h>

#include "qt/about/version_window.h"
#include "qt/app/main_window.h"
#include "core/guide_entries.h"
#include "fake_runtime.h"
#include "qt/forms/option_button.h"
#include "qt/forms/text_box.h"
#include "test_pictures.h"

namespace {

// Growth of resident memory allowed between the end of the warm-up and the end of a run.
constexpr qint64 kResidentGrowthBound = qint64{8} << 20;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

qint64 residentBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() * sysconf(_SC_PAGESIZE) : -1;
}

// Under AddressSanitizer freed blocks wait in a quarantine of hundreds of MiB,
// so resident memory says nothing there; its leak checker covers that build.
void verifyResidentGrowth(qint64 afterWarmUp)
{
    const qint64 growth = residentBytes() - afterWarmUp;
    qInfo("resident memory grew by %lld KiB after the warm-up", growth >> 10);
    if (kAddressSanitizer)
        return;
    QVERIFY(afterWarmUp > 0);
    QVERIFY2(growth <= kResidentGrowthBound, qPrintable(QString::number(growth)));
}

// What lies under a picture file's name.
enum class FileState { Good, Missing, Garbage, Truncated, Directory };

// Colours a good file is written in, far enough apart that JPEG cannot blur one into another.
constexpr std::array<QRgb, 6> kColours{0xc80000, 0x00a000, 0x0000c8, 0xc8c800, 0xc800c8, 0x00c8c8};

constexpr std::array<const char *, 10> kFileNames{
    "room1.jpg", "room2.jpg",  "kita.jpg",  "tv.jpg",     "paso1.jpg",
    "paso2.jpg", "karasu.jpg", "matsu.jpg", "saidan.jpg", "higashi.jpg"};

QByteArray jpegBytes(QRgb colour)
{
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 95);
    return bytes;
}

// The program's folder, with what the test has put under each name.
class PictureFolder
{
public:
    explicit PictureFolder(const QString &path) : dir_(path)
    {
        for (QRgb c : kColours)
            good_.push_back(jpegBytes(c));
        for (std::size_t i = 0; i < kFileNames.size(); ++i)
            put(int(i), FileState::Good, int(i % kColours.size()));
    }

    FileState state(int file) const { return files_[file].state; }
    QRgb colour(int file) const { return kColours[files_[file].colour]; }

    void put(int file, FileState state, int colour, std::mt19937 *random = nullptr)
    {
        const QString path = dir_.filePath(QLatin1String(kFileNames[file]));
        QFile::remove(path);
        dir_.rmdir(QLatin1String(kFileNames[file]));
        files_[file] = {state, colour};
        QByteArray bytes;
        switch (state) {
        case FileState::Good:
            bytes = good_[colour];
            break;
        case FileState::Missing:
            return;
        case FileState::Directory:
            QVERIFY(dir_.mkdir(QLatin1String(kFileNames[file])));
            return;
        case FileState::Garbage: {
            // Half of them open like a JPEG, to get past the first check.
            bytes.resize(std::uniform_int_distribution<int>(1, 4096)(*random));
            for (char &b : bytes)
                b = char((*random)());
            if ((*random)() % 2 && bytes.size() >= 2) {
                bytes[0] = '\xff';
                bytes[1] = '\xd8';
            }
            break;
        }
        case FileState::Truncated: {
            // Cut well inside the picture's data: a file that only lacks its
            // end marker after complete data is shown, as it should be.
            const QByteArray &whole = good_[colour];
            bytes = whole.left(
                std::uniform_int_distribution<int>(0, int(whole.size()) * 3 / 4)(*random));
            break;
        }
        }
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        QCOMPARE(out.write(bytes), bytes.size());
    }

private:
    struct File
    {
        FileState state = FileState::Missing;
        int colour = 0;
    };

    QDir dir_;
    std::vector<QByteArray> good_;
    std::array<File, kFileNames.size()> files_;
};

int fileIndex(std::u16string_view name)
{
    for (std::size_t i = 0; i < kFileNames.size(); ++i)
        if (QString::fromUtf16(name.data(), qsizetype(name.size())) == QLatin1String(kFileNames[i]))
            return int(i);
    return -1;
}

// The file a photo button shows at an entry, or -1 where it does nothing.
int photoButtonFile(int entry, int button)
{
    if (entry == 1)
        return fileIndex(button == 1 ? u"room1.jpg" : u"room2.jpg");
    if (entry == 4)
        return fileIndex(button == 1 ? u"paso1.jpg" : u"paso2.jpg");
    return -1;
}

} // namespace

class TestSoak : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The label stays within one step of its limits and turns on a fixed period.
    void glideTicks()
    {
        Form2 form2;
        form2.timer1()->stop();
        const double width = form2.label1Width();
        const double rightLimit = form2.outerWidth() - 200;
        const double leftLimit = 240 + 960 + 200; // the icon's right edge and the margin
        qint64 afterWarmUp = 0;
        int lastTurn = 0, period = 0, turns = 0;
        for (int tick = 1; tick <= 20000; ++tick) {
            const double before = form2.label1Left();
            const qint16 direction = form2.direction();
            form2.Timer1_Timer();
            const double left = form2.label1Left();
            QCOMPARE(left, before + (direction == 0 ? 100.0 : -100.0));
            QVERIFY2(left >= leftLimit - 100 && left + width <= rightLimit + 100,
                     qPrintable(QStringLiteral("tick %1 at %2").arg(tick).arg(left)));
            if (form2.direction() != direction) {
                ++turns;
                // The first turn comes early: the label starts inside its path.
                if (turns > 2 && period != 0)
                    QCOMPARE(tick - lastTurn, period);
                if (turns == 2)
                    period = tick - lastTurn;
                lastTurn = tick;
            }
            if (tick == 2000)
                afterWarmUp = residentBytes();
        }
        QVERIFY(period > 0);
        QVERIFY(turns >= 20000 / period - 1);
        verifyResidentGrowth(afterWarmUp);
    }

    // Every opening is a fresh window; none outlives its closing, nor its timer.
    void versionWindowOpenings()
    {
        QTemporaryDir dir;
        QVERIFY(test_pictures::writeJpeg(dir.path(), "room1.jpg", Qt::red));
        FakeRuntime runtime(dir.path());
        Form1 form(runtime);
        form.start();
        const auto windowsBefore = qApp->topLevelWidgets().size();
        qint64 afterWarmUp = 0;
        for (int i = 0; i < 1000; ++i) {
            bool fresh = false;
            QPointer<Form2> opened;
            QTimer::singleShot(0, &form, [&fresh, &opened] {
                auto *form2 = qobject_cast<Form2 *>(QApplication::activeModalWidget());
                if (!form2)
                    return;
                opened = form2;
                fresh = form2->direction() == 0 && form2->label1Left() == 1440.0 &&
                        form2->timer1()->isActive();
                form2->Command1_Click();
                if (form2->isVisible())
                    form2->close();
            });
            form.handlers().Ver_Click();
            QVERIFY2(fresh, qPrintable(QStringLiteral("opening %1").arg(i)));
            QVERIFY(!QApplication::activeModalWidget());
            QVERIFY(opened.isNull()); // gone with its timer once the window closed
            if (i == 100) {
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                afterWarmUp = residentBytes();
            }
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(qApp->topLevelWidgets().size(), windowsBefore);
        QCOMPARE(runtime.asked.size(), std::size_t{0});
        verifyResidentGrowth(afterWarmUp);
    }

    // Random clicks on the spots and photo buttons while the files are deleted,
    // spoilt and put back; after each click the window shows what the guide says.
    void clicksWhileFilesChange()
    {
        QTemporaryDir dir;
        PictureFolder folder(dir.path());
        FakeRuntime runtime(dir.path());
        Form1 form(runtime);
        form.start();
        QCOMPARE(runtime.asked.size(), std::size_t{0});
        lastPicture_ = form.image1Picture();

        std::mt19937 random(20240601);
        const auto roll = [&random](int n) {
            return std::uniform_int_distribution<int>(0, n - 1)(random);
        };
        int entry = 1;
        qint64 afterWarmUp = 0;
        int shownBad = 0, shownGood = 0;
        for (int click = 0; click < 10000; ++click) {
            if (roll(3) == 0) {
                const auto state = FileState(roll(5));
                folder.put(roll(int(kFileNames.size())), state, roll(int(kColours.size())),
                           &random);
            }

            // Most clicks land on a spot; the rest on a photo button, sometimes
            // through its handler even where the button is disabled.
            int file = -1;
            const int target = roll(12);
            if (target < 8) {
                entry = target + 1;
                form.option(entry)->click();
                file = fileIndex(guide::kEntries[entry - 1].picture);
            } else {
                const int button = target < 10 ? 1 : 2;
                QPushButton *widget = button == 1 ? form.command1() : form.command2();
                if (target % 2 == 0 || widget->isEnabled()) {
                    file = photoButtonFile(entry, button);
                    if (target % 2 == 0)
                        button == 1 ? form.handlers().Command1_Click() : form.handlers().Command2_Click();
                    else
                        widget->click();
                }
            }
            QCoreApplication::processEvents();
            verifyAfterClick(form, runtime, folder, entry, file, click);
            if (QTest::currentTestFailed())
                return;
            if (file >= 0)
                ++(folder.state(file) == FileState::Good ? shownGood : shownBad);
            if (click == 1000)
                afterWarmUp = residentBytes();
        }
        // The run met both outcomes often, or it proved little.
        QVERIFY(shownGood > 1000);
        QVERIFY(shownBad > 1000);
        verifyResidentGrowth(afterWarmUp);
    }

private:
    void verifyAfterClick(const Form1 &form, FakeRuntime &runtime, const PictureFolder &folder,
                          int entry, int file, int click)
    {
        const QString where =
            QStringLiteral("click %1, entry %2, file %3")
                .arg(click)
                .arg(entry)
                .arg(file < 0 ? QStringLiteral("none") : QLatin1String(kFileNames[file]));
        QVERIFY2(form.selectionNumber() == entry, qPrintable(where));
        QVERIFY2(form.command2()->isEnabled() == (entry == 1 || entry == 4), qPrintable(where));
        QVERIFY2(form.text1()->text() == toQString(guide::composeText(guide::kEntries[entry - 1])),
                 qPrintable(where));
        QVERIFY2(form.option(entry)->isChecked(), qPrintable(where));

        const bool bad = file >= 0 && folder.state(file) != FileState::Good;
        QVERIFY2(runtime.asked.size() == std::size_t(bad ? 1 : 0), qPrintable(where));
        if (bad) {
            QVERIFY2(runtime.asked[0].prompt.contains(
                         QStringLiteral("「%1」").arg(QLatin1String(kFileNames[file]))),
                     qPrintable(where));
            QVERIFY2(form.image1Picture() == lastPicture_, qPrintable(where));
        } else if (file >= 0) {
            QVERIFY2(test_pictures::near(test_pictures::middle(form.image1Picture()),
                                         QColor::fromRgb(folder.colour(file))),
                     qPrintable(where));
        } else {
            QVERIFY2(form.image1Picture() == lastPicture_, qPrintable(where));
        }
        runtime.asked.clear();
        runtime.loads.clear();
        lastPicture_ = form.image1Picture();
    }

    QImage lastPicture_;
};

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
