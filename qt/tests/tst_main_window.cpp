// The main window as a whole: frame, menu, controls, start-up, exit and keyboard.

#include <QAction>
#include <QFontDatabase>
#include <QFontInfo>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "qt/app/main_window.h"
#include "fake_runtime.h"
#include "qt/forms/fonts.h"
#include "qt/forms/surface.h"
#include "qt/forms/option_button.h"
#include "qt/forms/text_box.h"
#include "test_pictures.h"

using main_layout::Id;
using main_layout::kControls;
using main_layout::row;

class TestMainWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir folder_;

    void writeAllPictures()
    {
        for (const char *name :
             {"room1.jpg", "room2.jpg", "kita.jpg", "tv.jpg", "paso1.jpg", "paso2.jpg",
              "karasu.jpg", "matsu.jpg", "saidan.jpg", "higashi.jpg"})
            QVERIFY(test_pictures::writeJpeg(folder_.path(), name, Qt::darkGreen));
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(folder_.isValid());
        writeAllPictures();
    }

    void frame()
    {
        FakeRuntime runtime(folder_.path());
        Form1 form(runtime);
        form.start();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.windowTitle(), QStringLiteral("ヌペ部の謎"));
        // The client area below the menu bar is 10185 × 7395 twips.
        QCOMPARE(form.surface()->size(), QSize(679, 493));
        QCOMPARE(form.surface()->y(), form.menuBar()->height());
        QCOMPARE(form.minimumSize(), form.maximumSize());
        const Qt::WindowFlags flags = form.windowFlags();
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(flags & Qt::WindowSystemMenuHint);
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!form.windowIcon().isNull());
        QVERIFY(form.windowIcon().availableSizes().contains(QSize(32, 32)));
    }

    void menuItemsAreCommands()
    {
        FakeRuntime runtime(folder_.path());
        Form1 form(runtime);
        const QList<QAction *> items = form.menuBar()->actions();
        QCOMPARE(items.size(), 2);
        QCOMPARE(items[0]->text(), QStringLiteral("終了"));
        QCOMPARE(items[1]->text(), QStringLiteral("バージョン情報"));
        for (QAction *item : items) {
            QVERIFY(!item->menu());
            QVERIFY(item->isEnabled() && item->isVisible() && !item->isChecked());
            QVERIFY(!item->text().contains(u'&'));
        }
    }

    // Where they sit is the reference images' business (tst_plan_reference).
    void windowedControlsAndTheirState()
    {
        FakeRuntime runtime(folder_.path());
        Form1 form(runtime);
        int windowed = 0;
        for (const layout::Control &c : kControls) {
            if (!layout::isWindowed(c.kind))
                continue;
            ++windowed;
            auto *w = form.surface()->findChild<QWidget *>(toQString(c.name));
            QVERIFY2(w, qPrintable(toQString(c.name)));
        }
        QCOMPARE(windowed, 11);
        QCOMPARE(form.command1()->text(), QStringLiteral("写真1"));
        QCOMPARE(form.command2()->text(), QStringLiteral("写真2"));
        QVERIFY(!form.command1()->autoDefault() && !form.command2()->autoDefault());
        QCOMPARE(form.text1()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(form.text1()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QVERIFY(!form.text1()->isReadOnly());
        // Only Option1 starts selected.
        for (int n = 1; n <= 8; ++n)
            QCOMPARE(form.option(n)->isChecked(), n == 1);
    }

    void titleLabelTakesTheSizeOfItsCaption()
    {
        FakeRuntime runtime(folder_.path());
        Form1 form(runtime);
        const int label4 = row(Id::Label4);
        QCOMPARE(form.surface()->labelLeft(label4), 2760.0);
        const QSizeF size = form.surface()->controlSize(label4);
        // 26.25 points is 35 pixels: one line of it, as wide as the caption in that face.
        QVERIFY2(size.height() >= 450 && size.height() <= 600,
                 qPrintable(QString::number(size.height())));
        QVERIFY2(size.width() >= 4000 && size.width() <= 5400,
                 qPrintable(QString::number(size.width())));
    }

    // Captions and text are drawn in an installed face that has the Japanese
    // glyphs: the named one where it is installed, else its stand-in, never a
    // name that only fontconfig's aliases know, which Qt would look up afresh
    // for every size.
    void windowsDrawInAnInstalledJapaneseFace()
    {
        FakeRuntime runtime(folder_.path());
        Form1 form(runtime);
        const QStringList installed = QFontDatabase::families();
        for (const QFont &font :
             {form.font(), form.text1()->font(), fonts::forControl(kControls[row(Id::Label4)])}) {
            QVERIFY2(installed.contains(font.family()), qPrintable(font.family()));
            QCOMPARE(QFontInfo(font).family(), font.family());
            QVERIFY(QFontMetrics(font).inFont(QChar(u'謎')));
        }
    }

    void textBoxKeepsCrLfText()
    {
        FakeRuntime runtime(folder_.path());
        Form1 form(runtime);
        const QString text = QStringLiteral("一行目\r\n\r\n三行目");
        form.text1()->setText(text);
        QCOMPARE(form.text1()->text(), text);
        QCOMPARE(form.text1()->document()->blockCount(), 3);
        // Typing changes it until the next entry is chosen, which replaces it whole.
        form.text1()->moveCursor(QTextCursor::End);
        QTest::keyClicks(form.text1(), QStringLiteral("x"));
        QCOMPARE(form.text1()->text(), QStringLiteral("一行目\r\n\r\n三行目x"));
        form.handlers().Option2_Click();
        QVERIFY(!form.text1()->text().contains(QStringLiteral("三行目")));
    }

    void startUpLoadsBeforeShowingAndFocusesTheText()
    {
        FakeRuntime runtime(folder_.path());
        Form1 form(runtime);
        runtime.watched = &form;
        bool visibleAtLoad = true;
        runtime.onMsgBox = [&] { visibleAtLoad = form.isVisible(); };
        QFile::rename(folder_.filePath("room1.jpg"), folder_.filePath("room1.bak"));
        form.start();
        QFile::rename(folder_.filePath("room1.bak"), folder_.filePath("room1.jpg"));
        QCOMPARE(runtime.asked.size(), std::size_t(1));
        QVERIFY(!visibleAtLoad);
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(QApplication::focusWidget(), form.text1());
        QCOMPARE(form.selectionNumber(), qint16(1));
        QVERIFY(form.image1Picture().isNull());
    }

    void exitQuestion_data()
    {
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<int>("ends");
        QTest::newRow("yes") << QList<int>{vbYes} << 1;
        QTest::newRow("no") << QList<int>{vbNo} << 0;
        QTest::newRow("no, no, then yes") << QList<int>{vbNo, vbNo, vbYes} << 1;
    }

    void exitQuestion()
    {
        QFETCH(QList<int>, answers);
        QFETCH(int, ends);
        FakeRuntime runtime(folder_.path());
        Form1 form(runtime);
        form.start();
        form.handlers().Option4_Click();
        form.text1()->moveCursor(QTextCursor::End);
        QTest::keyClicks(form.text1(), QStringLiteral("memo"));
        const QString text = form.text1()->text();
        const QImage picture = form.image1Picture();
        runtime.asked.clear();
        for (int answer : answers) {
            runtime.answers.push_back(answer);
            form.endItem()->trigger();
            QCOMPARE(form.exitAnswer(), qint16(answer));
        }
        QCOMPARE(runtime.ended, ends);
        QCOMPARE(runtime.asked.size(), std::size_t(answers.size())); // asked every time
        for (const auto &asked : runtime.asked) {
            QCOMPARE(asked.prompt, QStringLiteral("終了します。"));
            QCOMPARE(asked.style, int(vbYesNo));
            QCOMPARE(asked.title, QStringLiteral("終了"));
        }
        // "No" leaves everything as it was.
        QCOMPARE(form.selectionNumber(), qint16(4));
        QCOMPARE(form.text1()->text(), text);
        QCOMPARE(form.image1Picture(), picture);
        QVERIFY(form.command2()->isEnabled());
    }

    void closingAsksNothing()
    {
        FakeRuntime runtime(folder_.path());
        Form1 form(runtime);
        form.start();
        runtime.asked.clear();
        QVERIFY(form.close());
        QVERIFY(runtime.asked.empty());
        QCOMPARE(runtime.ended, 0);
    }

    void tabOrder_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QStringList>("stops");
        QTest::newRow("entry 1") << 1 << QStringList{"Command1", "Command2", "Option1", "Text1"};
        QTest::newRow("entry 3, photo 2 disabled")
            << 3 << QStringList{"Command1", "Option3", "Text1"};
    }

    void tabOrder()
    {
        QFETCH(int, entry);
        QFETCH(QStringList, stops);
        FakeRuntime runtime(folder_.path());
        Form1 form(runtime);
        form.start();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QTest::mouseClick(form.option(entry), Qt::LeftButton, {}, QPoint(7, 7));
        QCOMPARE(form.selectionNumber(), qint16(entry));
        form.text1()->setFocus();
        for (const QString &stop : stops) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), stop);
        }
        std::reverse(stops.begin(), stops.end());
        stops.removeFirst();
        stops.append("Text1");
        for (const QString &stop : stops) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
            QCOMPARE(QApplication::focusWidget()->objectName(), stop);
        }
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
