// The program on a desktop that is not plain: a dark colour scheme, no
// Japanese translations of Qt, window managers that place owned windows by
// their owner. The windows keep their classic colours, every text of the
// toolkit is Japanese, and the version window and message boxes belong to the
// main window.

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>
#include <memory>

#include "about/version_window.h"
#include "app/main_window.h"
#include "core/twips.h"
#include "core/version_layout.h"
#include "fake_runtime.h"
#include "forms/form_frame.h"
#include "forms/form_surface.h"
#include "forms/option_button.h"
#include "forms/standard_texts.h"
#include "forms/text_box.h"
#include "test_pictures.h"

using main_layout::Id;
using main_layout::kControls;
using main_layout::row;

namespace {

// What a dark desktop theme hands Qt: light text on dark surfaces.
QPalette darkDesktop()
{
    QPalette p;
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(group, QPalette::Window, QColor(0x2a, 0x2e, 0x32));
        p.setColor(group, QPalette::WindowText, QColor(0xfc, 0xfc, 0xfc));
        p.setColor(group, QPalette::Base, QColor(0x1b, 0x1e, 0x20));
        p.setColor(group, QPalette::Text, QColor(0xfc, 0xfc, 0xfc));
        p.setColor(group, QPalette::Button, QColor(0x31, 0x36, 0x3b));
        p.setColor(group, QPalette::ButtonText, QColor(0xfc, 0xfc, 0xfc));
    }
    return p;
}

// Runs `inside` on the next modal window once it is up, then lets the caller
// block in it; gives up (and fails) after two seconds.
void onModal(QObject *context, const std::function<void(QWidget *)> &inside)
{
    auto *timer = new QTimer(context);
    auto *deadline = new QElapsedTimer;
    deadline->start();
    QObject::connect(timer, &QTimer::timeout, context, [timer, deadline, inside] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal && deadline->elapsed() < 2000)
            return;
        timer->stop();
        timer->deleteLater();
        delete deadline;
        inside(modal);
    });
    timer->start(5);
}

int darkPixels(const QImage &image, const QRect &r)
{
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += qGray(image.pixel(x, y)) < 90;
    return n;
}

// A caption without its access key and shortcut: "コピー(&C)\tCtrl+C" → "コピー".
QString bareCaption(QString text)
{
    text = text.section(u'\t', 0, 0);
    text.remove(QRegularExpression(QStringLiteral("\\(&.\\)$")));
    return text.remove(u'&');
}

bool isJapanese(const QString &caption)
{
    static const QRegularExpression latin(QStringLiteral("[A-Za-z]"));
    static const QRegularExpression kana(
        QStringLiteral("[\\x{3040}-\\x{30FF}\\x{4E00}-\\x{9FFF}]"));
    return !caption.contains(latin) && caption.contains(kana);
}

QStringList captions(const QMenu &menu)
{
    QStringList out;
    for (const QAction *action : menu.actions())
        if (!action->isSeparator())
            out << action->text();
    return out;
}

} // namespace

class TestDesktop : public QObject
{
    Q_OBJECT

    QTemporaryDir folder_;

private Q_SLOTS:
    void initTestCase() { QVERIFY(test_pictures::writeJpeg(folder_.path(), "room1.jpg", Qt::red)); }

    void cleanup() { QApplication::setPalette(QPalette()); }

    // Under a dark scheme the plan is drawn as on a light desktop: black lines
    // and labels on the light fills, white spots, a light button face.
    void darkSchemeKeepsTheClassicColours()
    {
        QApplication::setPalette(darkDesktop());
        FakeRuntime runtime(folder_.path());
        Form1 form(runtime);
        form.start();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QImage plan = form.surface()->grab().toImage();

        const auto px = [](int t) { return twips::toPixels(t); };
        QCOMPARE(QColor(plan.pixel(px(2000), px(5040))), QColor(Qt::black));       // the south wall
        QCOMPARE(QColor(plan.pixel(px(7000), px(700))), QColor(0xef, 0xef, 0xef)); // button face
        QCOMPARE(QColor(plan.pixel(px(2800), px(1800))), QColor(Qt::white)); // the room's floor
        for (Id label : {Id::Label1, Id::Label2, Id::Label3, Id::Label5, Id::Label4}) {
            const layout::Control &c = kControls[row(label)];
            const QSizeF size = form.surface()->controlSize(row(label));
            const QRect r =
                toQRect(twips::toPixelRect(c.left, c.top, int(size.width()), int(size.height())));
            QVERIFY2(darkPixels(plan, r.intersected(plan.rect())) > 10,
                     qPrintable(toQString(c.name)));
        }
        // An unselected spot is a white circle, not a dark dot.
        const QImage spot = form.option(2)->grab().toImage();
        QVERIFY(qGray(spot.pixel(spot.width() / 2, spot.height() / 2)) > 200);
        QCOMPARE(form.text1()->palette().color(QPalette::Base), QColor(Qt::white));
        QCOMPARE(form.text1()->palette().color(QPalette::Text), QColor(Qt::black));
        QCOMPARE(form.menuBar()->palette().color(QPalette::ButtonText), QColor(Qt::black));

        Form2 form2(&form);
        const QImage about = form2.surface()->grab().toImage();
        QCOMPARE(QColor(about.pixel(5, 90)), QColor(0xef, 0xef, 0xef));
        const QSizeF title =
            form2.surface()->controlSize(version_layout::row(version_layout::Id::Label1));
        QVERIFY(darkPixels(about, toQRect(twips::toPixelRect(1440, 360, int(title.width()),
                                                             int(title.height())))) > 10);
    }

    // The message box comes from the real runtime: owned by the window it was
    // given, modal to the application, in the classic colours, with Japanese buttons.
    void messageBoxIsOwnedAndJapanese_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<int>("answer");
        QTest::newRow("yes/no") << int(vbYesNo) << QStringList{"はい(&Y)", "いいえ(&N)"}
                                << int(vbNo);
        QTest::newRow("ok") << int(vbOKOnly) << QStringList{"OK"} << int(vbOK);
    }

    void messageBoxIsOwnedAndJapanese()
    {
        QFETCH(int, style);
        QFETCH(QStringList, buttons);
        QFETCH(int, answer);
        QApplication::setPalette(darkDesktop());
        QWidget owner;
        owner.resize(400, 300);
        owner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&owner));
        DesktopRuntime runtime;
        runtime.setOwner(&owner);
        QStringList seen;
        bool owned = false, transient = false, modal = false, classic = false;
        onModal(this, [&](QWidget *modalWidget) {
            auto *box = qobject_cast<QMessageBox *>(modalWidget);
            if (!box)
                return;
            owned = box->parentWidget() == &owner;
            transient = box->windowHandle()->transientParent() == owner.windowHandle();
            modal = box->windowModality() == Qt::ApplicationModal;
            classic = box->palette().color(QPalette::Window) == QColor(0xef, 0xef, 0xef) &&
                      box->palette().color(QPalette::WindowText) == QColor(Qt::black);
            for (QAbstractButton *b : box->buttons())
                seen << b->text();
            (box->buttons().size() > 1 ? box->button(QMessageBox::No) : box->buttons().first())
                ->click();
        });
        QCOMPARE(runtime.MsgBox(u"終了します。", style, u"終了"), answer);
        seen.sort();
        buttons.sort();
        QCOMPARE(seen, buttons);
        QVERIFY(owned);
        QVERIFY(transient);
        QVERIFY(modal);
        QVERIFY(classic);
    }

    void versionWindowIsOwnedByTheMainWindow()
    {
        FakeRuntime runtime(folder_.path());
        Form1 form(runtime);
        form.start();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        bool owned = false, transient = false, modal = false;
        onModal(this, [&](QWidget *modalWidget) {
            auto *form2 = qobject_cast<Form2 *>(modalWidget);
            if (!form2)
                return;
            owned = form2->parentWidget() == &form;
            transient = form2->windowHandle()->transientParent() == form.windowHandle();
            modal = form2->windowModality() == Qt::ApplicationModal;
            form2->Command1_Click();
        });
        form.Ver_Click();
        QVERIFY(owned);
        QVERIFY(transient);
        QVERIFY(modal);
    }

    // Right-clicking the description box: Qt's own menu, every entry Japanese.
    void textBoxContextMenuIsJapanese()
    {
        FakeRuntime runtime(folder_.path());
        Form1 form(runtime);
        form.start();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QWidget *viewport = form.text1()->viewport();
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(20, 20),
                                viewport->mapToGlobal(QPoint(20, 20)));
        QApplication::sendEvent(viewport, &click);
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        const QStringList entries = captions(*menu);
        QCOMPARE(entries.size(), 7);
        for (const QString &entry : entries)
            QVERIFY2(isJapanese(bareCaption(entry)), qPrintable(entry));
        QVERIFY(entries.contains(QStringLiteral("コピー(&C)\tCtrl+C")));
        QCOMPARE(menu->palette().color(QPalette::Window), QColor(0xef, 0xef, 0xef));
        menu->close();
    }

    // The scroll bar's menu too, and its entries do what they say.
    void scrollBarContextMenuIsJapanese()
    {
        FakeRuntime runtime(folder_.path());
        Form1 form(runtime);
        form.start();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.text1()->setText(QString(QStringLiteral("行\r\n")).repeated(200));
        QScrollBar *bar = form.text1()->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        const QPoint at(bar->width() / 2, bar->height() / 2);
        QContextMenuEvent click(QContextMenuEvent::Mouse, at, bar->mapToGlobal(at));
        QApplication::sendEvent(bar, &click);
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        const QStringList entries = captions(*menu);
        QCOMPARE(entries.size(), 7);
        for (const QString &entry : entries)
            QVERIFY2(isJapanese(bareCaption(entry)), qPrintable(entry));
        const auto entry = [](const QMenu &m, const QString &caption) {
            for (QAction *a : m.actions())
                if (a->text() == caption)
                    return a;
            return static_cast<QAction *>(nullptr);
        };
        QVERIFY(entry(*menu, QStringLiteral("下端")));
        entry(*menu, QStringLiteral("下端"))->trigger();
        QCOMPARE(bar->value(), bar->maximum());
        entry(*menu, QStringLiteral("上端"))->trigger();
        QCOMPARE(bar->value(), bar->minimum());
        menu->close();
        // "Scroll here" in the middle of the bar goes to about the middle.
        const std::unique_ptr<QMenu> here(standard_texts::scrollBarMenu(*bar, at));
        entry(*here, QStringLiteral("ここにスクロール"))->trigger();
        QVERIFY2(qAbs(bar->value() - bar->maximum() / 2) <= bar->maximum() / 10,
                 qPrintable(QString::number(bar->value())));
    }

    // A frame of any thickness sits with its middle on the middle of the area.
    void frameIsCentred_data()
    {
        QTest::addColumn<QRect>("area");
        QTest::addColumn<QMargins>("frame");
        QTest::newRow("no frame known") << QRect(0, 0, 1280, 1024) << QMargins();
        QTest::newRow("title bar") << QRect(0, 0, 1280, 1024) << QMargins(1, 20, 1, 1);
        QTest::newRow("panel above, thick frame")
            << QRect(0, 32, 1920, 1048) << QMargins(4, 30, 4, 4);
    }

    void frameIsCentred()
    {
        QFETCH(QRect, area);
        QFETCH(QMargins, frame);
        const QSize client(679, 511);
        const QPoint origin = form_frame::centredFrameOrigin(area, client, frame);
        const QRect framed(origin, client.grownBy(frame));
        QVERIFY(qAbs(2 * framed.center().x() - 2 * area.center().x()) <= 2);
        QVERIFY(qAbs(2 * framed.center().y() - 2 * area.center().y()) <= 2);
    }
};

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
