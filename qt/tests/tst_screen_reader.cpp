// What a screen reader finds beyond the controls' names: the painted title
// and labels, the plan with a name, the spots in guide order; and what it can
// do there: every action on a spot, a photo button or a menu command does
// what a click does, and hands control back to the reader at once.

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "qt/about/version_window.h"
#include "qt/app/main_window.h"
#include "core/guide_entries.h"
#include "core/version_layout.h"
#include "fake_runtime.h"
#include "qt/forms/accessible_image.h"
#include "qt/forms/accessible_label.h"
#include "qt/forms/surface.h"
#include "qt/forms/option_button.h"
#include "qt/forms/text_box.h"
#include "test_pictures.h"

namespace {

struct Node
{
    QAccessible::Role role;
    QString name;
};

QList<Node> readerChildren(QObject *o)
{
    QList<Node> out;
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(o);
    for (int i = 0; a && i < a->childCount(); ++i)
        out.append({a->child(i)->role(), a->child(i)->text(QAccessible::Name)});
    return out;
}

QAccessibleActionInterface *actionsOf(QObject *o)
{
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(o);
    return a ? a->actionInterface() : nullptr;
}

QString descriptionOf(QObject *o)
{
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(o);
    return a ? a->text(QAccessible::Description) : QString();
}

QStringList namesWithRole(const QList<Node> &nodes, QAccessible::Role role)
{
    QStringList out;
    for (const Node &n : nodes)
        if (n.role == role)
            out << n.name;
    return out;
}

} // namespace

class TestScreenReader : public QObject
{
    Q_OBJECT

    QTemporaryDir folder_;

private Q_SLOTS:
    void initTestCase()
    {
        // kita.jpg (entry 2) is missing on purpose.
        for (const char *name : {"room1.jpg", "room2.jpg", "tv.jpg", "paso1.jpg", "paso2.jpg"})
            QVERIFY(test_pictures::writeJpeg(folder_.path(), name, Qt::red));
    }

    void mainWindowReadsTitlePlanSpotsInOrder()
    {
        FakeRuntime runtime(folder_.path());
        Form1 form(runtime);
        form.start();
        const QList<Node> nodes = readerChildren(form.surface());
        QVERIFY(nodes.size() >= 17);
        QCOMPARE(nodes[0].role, QAccessible::StaticText);
        QCOMPARE(nodes[0].name, QStringLiteral("☆ヌペ部の謎　'99☆"));
        QCOMPARE(nodes[1].role, QAccessible::Graphic);
        QCOMPARE(nodes[1].name, QStringLiteral("部室の見取り図"));
        QCOMPARE(namesWithRole(nodes, QAccessible::StaticText),
                 (QStringList{"☆ヌペ部の謎　'99☆", "窓", "ヌペ文庫", "コピー機", "廊下"}));
        QStringList spots;
        for (const guide::Entry &entry : guide::kEntries)
            spots << toQString(guide::spotName(entry));
        QCOMPARE(namesWithRole(nodes, QAccessible::RadioButton), spots);
        // Each child knows its own place among its siblings.
        QAccessibleInterface *surface = QAccessible::queryAccessibleInterface(form.surface());
        for (int i = 0; i < surface->childCount(); ++i)
            QCOMPARE(surface->indexOfChild(surface->child(i)), i);
        // The plan's labels stand where they are painted.
        const QRect corridor =
            form.surface()->labelAccess(main_layout::row(main_layout::Id::Label1))->geometry();
        QCOMPARE(corridor.topLeft(), QPoint(168, 312));
    }

    // A spot chosen by a screen reader, by any of the actions it offers, runs
    // the spot's Click as the mouse does: text, picture or "えらー", 写真2 and
    // the photograph's description. The reader's call returns first, so a
    // message box cannot hold it.
    void spotActionsRunItsClick_data()
    {
        QTest::addColumn<int>("spot");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("shows"); // empty: the picture is missing
        const QString press = QAccessibleActionInterface::pressAction();
        const QString toggle = QAccessibleActionInterface::toggleAction();
        const QString focus = QAccessibleActionInterface::setFocusAction();
        QTest::newRow("press 3") << 3 << press << "tv.jpg";
        QTest::newRow("toggle 3") << 3 << toggle << "tv.jpg";
        QTest::newRow("focus 3") << 3 << focus << "tv.jpg";
        QTest::newRow("press 4") << 4 << press << "paso1.jpg";
        QTest::newRow("toggle 4") << 4 << toggle << "paso1.jpg";
        QTest::newRow("press 2, missing") << 2 << press << "";
        QTest::newRow("toggle 2, missing") << 2 << toggle << "";
    }

    void spotActionsRunItsClick()
    {
        QFETCH(int, spot);
        QFETCH(QString, action);
        QFETCH(QString, shows);
        FakeRuntime runtime(folder_.path());
        Form1 form(runtime);
        form.start();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QAccessibleActionInterface *actions = actionsOf(form.option(spot));
        QVERIFY(actions);
        // What a reader looks for on a radio button, besides toggling it.
        QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
        QVERIFY(actions->actionNames().contains(action));

        actions->doAction(action);
        QCOMPARE(form.selectionNumber(), qint16(1)); // not yet: the reader has its answer first
        QVERIFY(runtime.asked.empty());

        const guide::Entry &entry = guide::kEntries[spot - 1];
        QTRY_COMPARE_WITH_TIMEOUT(form.selectionNumber(), qint16(spot), 5000);
        QVERIFY(form.option(spot)->isChecked());
        QVERIFY(!form.option(1)->isChecked());
        QCOMPARE(form.text1()->text(), toQString(guide::composeText(entry)));
        QCOMPARE(form.command2()->isEnabled(), entry.hasPhoto2());
        const QString image = descriptionOf(form.image1Access());
        if (shows.isEmpty()) {
            QCOMPARE(runtime.asked.size(), std::size_t(1));
            QCOMPARE(runtime.asked[0].title, QStringLiteral("えらー"));
            QVERIFY(runtime.asked[0].prompt.contains(toQString(entry.picture)));
            QVERIFY2(image.endsWith(QStringLiteral("room1.jpg")), qPrintable(image));
        } else {
            QVERIFY(runtime.asked.empty());
            QVERIFY2(image.endsWith(shows), qPrintable(image));
        }
        QCOMPARE(runtime.loads.size(), std::size_t(2)); // Load's picture, then the spot's
    }

    // Focus on a spot is selection, as by the arrow keys: a reader moving to
    // the selected spot does not run it again, and toggling the selected spot
    // runs its Click once more, as clicking it does.
    void focusOnTheSelectedSpotRunsNothing()
    {
        FakeRuntime runtime(folder_.path());
        Form1 form(runtime);
        form.start();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QAccessibleActionInterface *actions = actionsOf(form.option(1));
        actions->doAction(QAccessibleActionInterface::setFocusAction());
        QTRY_COMPARE_WITH_TIMEOUT(QApplication::focusWidget(), form.option(1), 5000);
        QTest::qWait(20);
        QCOMPARE(runtime.loads.size(), std::size_t(1));
        actions->doAction(QAccessibleActionInterface::toggleAction());
        QTRY_COMPARE_WITH_TIMEOUT(runtime.loads.size(), std::size_t(2), 5000);
        QVERIFY(form.option(1)->isChecked());
    }

    // The photo buttons pressed by a reader show what a click shows; 写真2,
    // disabled, offers nothing and does nothing.
    void photoButtonActionsRunTheirClick()
    {
        FakeRuntime runtime(folder_.path());
        Form1 form(runtime);
        form.start();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QString press = QAccessibleActionInterface::pressAction();
        actionsOf(form.option(4))->doAction(press);
        QTRY_COMPARE_WITH_TIMEOUT(form.selectionNumber(), qint16(4), 5000);

        actionsOf(form.command2())->doAction(press);
        QTRY_VERIFY_WITH_TIMEOUT(descriptionOf(form.image1Access()).endsWith("paso2.jpg"), 5000);
        actionsOf(form.command1())->doAction(press);
        QTRY_VERIFY_WITH_TIMEOUT(descriptionOf(form.image1Access()).endsWith("paso1.jpg"), 5000);

        actionsOf(form.option(3))->doAction(press);
        QTRY_COMPARE_WITH_TIMEOUT(form.selectionNumber(), qint16(3), 5000);
        QVERIFY(!form.command2()->isEnabled());
        QVERIFY(!actionsOf(form.command2())->actionNames().contains(press));
        const std::size_t loads = runtime.loads.size();
        actionsOf(form.command2())->doAction(press);
        actionsOf(form.command1())->doAction(press); // enabled, but nothing to show at entry 3
        QTest::qWait(300);
        QCOMPARE(runtime.loads.size(), loads);
        QVERIFY(descriptionOf(form.image1Access()).endsWith("tv.jpg"));
    }

    // 終了 pressed by a reader asks its question once the call has returned,
    // and Yes ends the program.
    void exitCommandAsksThenEnds()
    {
        FakeRuntime runtime(folder_.path());
        runtime.answers = {vbYes};
        Form1 form(runtime);
        form.start();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QAccessibleInterface *end = QAccessible::queryAccessibleInterface(form.endItem());
        QVERIFY(end && end->actionInterface());
        QCOMPARE(end->text(QAccessible::Name), QStringLiteral("終了"));
        end->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(runtime.asked.empty());
        QTRY_COMPARE_WITH_TIMEOUT(runtime.ended, 1, 5000);
        QCOMPARE(runtime.asked.size(), std::size_t(1));
        QCOMPARE(runtime.asked[0].title, QStringLiteral("終了"));
        QCOMPARE(runtime.asked[0].style, int(vbYesNo));
    }

    void versionWindowReadsIconTitleTextsThenOk()
    {
        Form2 form2;
        form2.timer1()->stop();
        const QList<Node> nodes = readerChildren(form2.surface());
        QCOMPARE(nodes.size(), 5);
        QCOMPARE(nodes[0].role, QAccessible::Graphic);
        QCOMPARE(nodes[1].name, QStringLiteral("ヌペ部の謎　'99"));
        QVERIFY(nodes[2].name.startsWith(QStringLiteral("写真・文章")));
        QVERIFY(nodes[3].name.endsWith(QStringLiteral("Project ZOMI")));
        QCOMPARE(nodes[4].name, QStringLiteral("OK"));
        // The title's stand-in glides with it.
        QWidget *title =
            form2.surface()->labelAccess(version_layout::row(version_layout::Id::Label1));
        const int before = title->x();
        form2.Timer1_Timer();
        QVERIFY(title->x() > before);
    }

    // Pressing バージョン情報 through the accessibility interface returns at
    // once; the version window opens after that and closes as usual.
    void menuCommandReturnsAtOnce()
    {
        FakeRuntime runtime(folder_.path());
        Form1 form(runtime);
        form.start();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QAccessibleInterface *bar = QAccessible::queryAccessibleInterface(form.menuBar());
        QVERIFY(bar);
        QAccessibleInterface *ver = nullptr;
        for (int i = 0; i < bar->childCount(); ++i)
            if (bar->child(i)->text(QAccessible::Name) == QStringLiteral("バージョン情報"))
                ver = bar->child(i);
        QVERIFY(ver);
        QCOMPARE(ver->role(), QAccessible::MenuItem);
        QCOMPARE(ver->parent()->object(), form.menuBar());
        QAccessibleActionInterface *action = ver->actionInterface();
        QVERIFY(action);
        QVERIFY(action->actionNames().contains(QAccessibleActionInterface::pressAction()));

        int opened = 0;
        QTimer closer;
        connect(&closer, &QTimer::timeout, this, [&opened] {
            if (auto *form2 = qobject_cast<Form2 *>(QApplication::activeModalWidget())) {
                ++opened;
                form2->Command1_Click();
            }
        });
        closer.start(5);
        action->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(opened, 0); // returned before the window opened
        QVERIFY(!QApplication::activeModalWidget());
        QTRY_COMPARE_WITH_TIMEOUT(opened, 1, 5000);
    }
};

QTEST_MAIN(TestScreenReader)
#include "tst_screen_reader.moc"
