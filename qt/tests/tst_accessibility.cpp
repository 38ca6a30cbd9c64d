// What a screen reader finds on both windows, through Qt's accessibility interfaces.

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "qt/about/version_window.h"
#include "qt/app/main_window.h"
#include "fake_runtime.h"
#include "qt/forms/accessible_image.h"
#include "qt/forms/option_button.h"
#include "qt/forms/text_box.h"
#include "test_pictures.h"

namespace {

QString name(QObject *o)
{
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(o);
    return a ? a->text(QAccessible::Name) : QString();
}

QString description(QObject *o)
{
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(o);
    return a ? a->text(QAccessible::Description) : QString();
}

QAccessible::Role role(QObject *o)
{
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(o);
    return a ? a->role() : QAccessible::NoRole;
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

    QTemporaryDir folder_;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(test_pictures::writeJpeg(folder_.path(), "room1.jpg", Qt::red));
        QVERIFY(test_pictures::writeJpeg(folder_.path(), "tv.jpg", Qt::blue));
    }

    void mainWindow()
    {
        FakeRuntime runtime(folder_.path());
        Form1 form(runtime);
        form.start();
        const QStringList spots{"部室（入り口のドアと窓）",
                                "北朝鮮監視用望遠鏡",
                                "超大型ワイドテレビ　＆　ヌペ応接セット",
                                "超絶スペックのハイパ～マッシ～ン",
                                "ヌペ式カラスよけ",
                                "松茂町営「松庵」",
                                "祭壇",
                                "東ヌペ部（CIA教室）"};
        for (int n = 1; n <= 8; ++n) {
            QCOMPARE(name(form.option(n)), spots[n - 1]);
            QCOMPARE(role(form.option(n)), QAccessible::RadioButton);
            QVERIFY(!description(form.option(n)).isEmpty());
        }
        QCOMPARE(name(form.command1()), QStringLiteral("写真1"));
        QCOMPARE(name(form.command2()), QStringLiteral("写真2"));
        QVERIFY(!description(form.command1()).isEmpty());
        QCOMPARE(name(form.text1()), QStringLiteral("説明"));

        // The image says which photograph it shows, and keeps saying so after a failed load.
        QCOMPARE(role(form.image1Access()), QAccessible::Graphic);
        QCOMPARE(name(form.image1Access()), QStringLiteral("写真"));
        QVERIFY(description(form.image1Access()).endsWith(QStringLiteral("room1.jpg")));
        // The spots chosen as a screen reader chooses them.
        const auto press = [&form](int n) {
            QAccessible::queryAccessibleInterface(form.option(n))->actionInterface()->doAction(
                QAccessibleActionInterface::pressAction());
        };
        press(3);
        QTRY_VERIFY_WITH_TIMEOUT(description(form.image1Access()).endsWith(QStringLiteral("tv.jpg")),
                                 2000);
        press(2); // kita.jpg is missing
        QTRY_COMPARE_WITH_TIMEOUT(form.selectionNumber(), qint16(2), 5000);
        QCOMPARE(runtime.asked.size(), std::size_t(1));
        QVERIFY(description(form.image1Access()).endsWith(QStringLiteral("tv.jpg")));

        // The menu's two items, by name, in the menu bar's accessible children.
        QAccessibleInterface *bar = QAccessible::queryAccessibleInterface(form.menuBar());
        QVERIFY(bar);
        QStringList items;
        for (int i = 0; i < bar->childCount(); ++i)
            items << bar->child(i)->text(QAccessible::Name);
        QCOMPARE(items, (QStringList{"終了", "バージョン情報"}));
    }

    void versionWindow()
    {
        Form2 form2;
        QCOMPARE(name(form2.command1()), QStringLiteral("OK"));
        QVERIFY(!description(form2.command1()).isEmpty());
        const QString about = description(&form2);
        QVERIFY(about.contains(QStringLiteral("ヌペ部の謎　'99")));
        QVERIFY(about.contains(QStringLiteral("Project ZOMI")));
        auto *icon = form2.findChild<AccessibleImage *>();
        QVERIFY(icon);
        QCOMPARE(role(icon), QAccessible::Graphic);
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
