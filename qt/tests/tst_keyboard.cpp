// The windows by keyboard alone: Enter presses the focused command button (and
// only that), and the menu bar is entered by Alt or F10, shows where it is,
// runs a command once it has let go and gives the focus back.

#include <QApplication>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "qt/about/version_window.h"
#include "qt/app/main_window.h"
#include "fake_runtime.h"
#include "qt/forms/option_button.h"
#include "qt/forms/text_box.h"
#include "test_pictures.h"

namespace {

// How many pixels of the bar's highlight colour lie in the item's rectangle.
int highlighted(QMenuBar *bar, QAction *item)
{
    const QImage image = bar->grab().toImage();
    const QRgb highlight = bar->palette().color(QPalette::Highlight).rgb();
    const QRect r = bar->actionGeometry(item).intersected(image.rect());
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += (image.pixel(x, y) & 0xFFFFFF) == (highlight & 0xFFFFFF);
    return n;
}

} // namespace

class TestKeyboard : public QObject
{
    Q_OBJECT

    QTemporaryDir folder_;

private Q_SLOTS:
    void initTestCase()
    {
        for (const char *name : {"room1.jpg", "room2.jpg", "paso1.jpg", "paso2.jpg"})
            QVERIFY(test_pictures::writeJpeg(folder_.path(), name, Qt::darkGreen));
    }

    void enterPressesTheFocusedPhotoButton_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("shows");
        QTest::newRow("写真1, Return") << 1 << int(Qt::Key_Return) << "paso1.jpg";
        QTest::newRow("写真2, Return") << 2 << int(Qt::Key_Return) << "paso2.jpg";
        QTest::newRow("写真2, keypad Enter") << 2 << int(Qt::Key_Enter) << "paso2.jpg";
    }

    void enterPressesTheFocusedPhotoButton()
    {
        QFETCH(int, button);
        QFETCH(int, key);
        QFETCH(QString, shows);
        FakeRuntime runtime(folder_.path());
        Form1 form(runtime);
        form.start();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.handlers().Option4_Click();
        form.handlers().Option1_Click(); // so that either photo of entry 4 is a change
        form.handlers().Option4_Click();
        QPushButton *target = button == 1 ? form.command1() : form.command2();
        target->setFocus();
        runtime.loads.clear();
        const Qt::KeyboardModifiers mods =
            key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
        QTest::keyClick(target, Qt::Key(key), mods);
        QCOMPARE(runtime.loads.size(), std::size_t(1));
        QVERIFY(pathText(runtime.loads.front()).endsWith(shows));
        QCOMPARE(QApplication::focusWidget(), target); // still there for the next press
        QVERIFY(runtime.asked.empty());
    }

    // Enter in the description box is a line break, and Ctrl+Enter on a button is nothing.
    void enterElsewhereKeepsItsMeaning()
    {
        FakeRuntime runtime(folder_.path());
        Form1 form(runtime);
        form.start();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        const int blocks = form.text1()->document()->blockCount();
        runtime.loads.clear();
        QTest::keyClick(form.text1(), Qt::Key_Return);
        QCOMPARE(form.text1()->document()->blockCount(), blocks + 1);
        form.command1()->setFocus();
        QTest::keyClick(form.command1(), Qt::Key_Return, Qt::ControlModifier);
        QVERIFY(runtime.loads.empty());
    }

    // OK closes the version window by Enter; Esc still does nothing there.
    void enterOnOkClosesTheVersionWindow()
    {
        FakeRuntime runtime(folder_.path());
        Form1 form(runtime);
        form.start();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        bool survivedEsc = false, closedByEnter = false;
        QTimer::singleShot(0, &form, [&] {
            auto *form2 = qobject_cast<Form2 *>(QApplication::activeModalWidget());
            if (!form2)
                return;
            QPointer<Form2> guard(form2);
            QTest::keyClick(form2->command1(), Qt::Key_Escape);
            survivedEsc = guard && form2->isVisible();
            QTest::keyClick(form2->command1(), Qt::Key_Return);
            closedByEnter = !guard || !form2->isVisible();
            if (guard && form2->isVisible())
                form2->close();
        });
        form.handlers().Ver_Click();
        QVERIFY(survivedEsc);
        QVERIFY(closedByEnter);
    }

    void f10EntersTheBarAndEscLeavesIt()
    {
        FakeRuntime runtime(folder_.path());
        Form1 form(runtime);
        form.start();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QMenuBar *bar = form.menuBar();
        form.command1()->setFocus();
        QCOMPARE(highlighted(bar, form.endItem()), 0);

        QTest::keyClick(form.command1(), Qt::Key_F10);
        QCOMPARE(QApplication::focusWidget(), bar);
        QCOMPARE(bar->activeAction(), form.endItem());
        QVERIFY(highlighted(bar, form.endItem()) > 20); // drawn, not just chosen
        QTest::keyClick(bar, Qt::Key_Right);
        QCOMPARE(bar->activeAction(), form.verItem());
        QCOMPARE(highlighted(bar, form.endItem()), 0);
        QVERIFY(highlighted(bar, form.verItem()) > 20);

        QTest::keyClick(bar, Qt::Key_Escape);
        QCOMPARE(QApplication::focusWidget(), form.command1());
        QVERIFY(!bar->activeAction());
        QCOMPARE(highlighted(bar, form.verItem()), 0);

        // F10 again leaves as well.
        QTest::keyClick(form.command1(), Qt::Key_F10);
        QCOMPARE(QApplication::focusWidget(), bar);
        QTest::keyClick(bar, Qt::Key_F10);
        QCOMPARE(QApplication::focusWidget(), form.command1());
    }

    // Enter on an item returns at once with the focus back in its place; the
    // command runs after that, so its modal question starts from there too.
    void commandByKeyboardRunsOnceTheBarLetsGo_data()
    {
        QTest::addColumn<int>("enter");
        QTest::newRow("F10") << int(Qt::Key_F10);
        QTest::newRow("Alt") << int(Qt::Key_Alt);
    }

    void commandByKeyboardRunsOnceTheBarLetsGo()
    {
        QFETCH(int, enter);
        FakeRuntime runtime(folder_.path());
        Form1 form(runtime);
        form.start();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(QApplication::focusWidget(), form.text1());
        runtime.asked.clear();
        QWidget *focusAtQuestion = nullptr;
        runtime.onMsgBox = [&] { focusAtQuestion = QApplication::focusWidget(); };
        runtime.answers.push_back(vbNo);

        QTest::keyClick(form.text1(), Qt::Key(enter));
        QCOMPARE(QApplication::focusWidget(), form.menuBar());
        QTest::keyClick(form.menuBar(), Qt::Key_Return);
        QVERIFY(runtime.asked.empty()); // not inside the key press
        QCOMPARE(QApplication::focusWidget(), form.text1());
        QTRY_COMPARE_WITH_TIMEOUT(runtime.asked.size(), std::size_t(1), 5000);
        QCOMPARE(runtime.asked.front().title, QStringLiteral("終了"));
        QCOMPARE(focusAtQuestion, form.text1());
        QCOMPARE(form.exitAnswer(), qint16(vbNo));
        QCOMPARE(QApplication::focusWidget(), form.text1());
        QVERIFY(!form.menuBar()->activeAction());
    }
};

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
