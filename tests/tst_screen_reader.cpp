// What a screen reader finds beyond the controls' names: the painted title
// and labels, the plan with a name, the spots in guide order, and a menu
// command that returns to the reader at once.

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "about/version_window.h"
#include "app/main_window.h"
#include "core/guide_entries.h"
#include "core/version_layout.h"
#include "fake_runtime.h"
#include "forms/accessible_label.h"
#include "forms/form_surface.h"
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
    void initTestCase() { QVERIFY(test_pictures::writeJpeg(folder_.path(), "room1.jpg", Qt::red)); }

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
        QTRY_COMPARE_WITH_TIMEOUT(opened, 1, 2000);
    }
};

QTEST_MAIN(TestScreenReader)
#include "tst_screen_reader.moc"
