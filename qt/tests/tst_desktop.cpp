// The program on a desktop that is not plain: a dark colour scheme, GTK's or
// KDE's platform theme, no Japanese translations of Qt, window managers that
// place owned windows by their owner. The windows keep their classic colours
// and look, every text of the toolkit is Japanese, and the version window and
// message boxes belong to the main window.
//
// CTest runs this off screen with no platform theme, and on X11 with Qt's
// generic theme, with GTK's under a dark GTK theme and with KDE's reading a
// dark kdeglobals; there the exit question and the context menus are compared
// pixel for pixel with those of a run of this program off screen with none.

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <functional>
#include <memory>

#include "qt/about/version_window.h"
#include "qt/app/main_window.h"
#include "core/twips.h"
#include "core/version_layout.h"
#include "fake_runtime.h"
#include "qt/forms/fonts.h"
#include "qt/forms/frame.h"
#include "qt/forms/surface.h"
#include "qt/forms/option_button.h"
#include "qt/forms/standard_texts.h"
#include "qt/forms/text_box.h"
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
// block in it; gives up (and fails) after five seconds, which only a fault takes.
void onModal(QObject *context, const std::function<void(QWidget *)> &inside)
{
    auto *timer = new QTimer(context);
    auto *deadline = new QElapsedTimer;
    deadline->start();
    QObject::connect(timer, &QTimer::timeout, context, [timer, deadline, inside] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal && deadline->elapsed() < 5000)
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

// What of the main window is not in the classic colours, as it is drawn now
// (active or not); empty if nothing. Black lines and labels on the light
// fills, a light button face, white spots, a white description box.
QString unclassicColours(Form1 &form)
{
    const QImage plan = form.surface()->grab().toImage();
    const auto at = [&plan](int x, int y) {
        return QColor(plan.pixel(twips::toPixels(x), twips::toPixels(y)));
    };
    if (at(2000, 5040) != QColor(Qt::black))
        return QStringLiteral("the south wall is not black");
    if (at(7000, 700) != QColor(0xef, 0xef, 0xef))
        return QStringLiteral("the button face is not light grey");
    if (at(2800, 1800) != QColor(Qt::white))
        return QStringLiteral("the room's floor is not white");
    for (Id label : {Id::Label1, Id::Label2, Id::Label3, Id::Label5, Id::Label4}) {
        const layout::Control &c = kControls[row(label)];
        const QSizeF size = form.surface()->controlSize(row(label));
        const QRect r =
            toQRect(twips::toPixelRect(c.left, c.top, int(size.width()), int(size.height())));
        if (darkPixels(plan, r.intersected(plan.rect())) <= 10)
            return toQString(c.name) + QStringLiteral(" is not dark");
    }
    const QImage spot = form.option(2)->grab().toImage();
    if (qGray(spot.pixel(spot.width() / 2, spot.height() / 2)) <= 200)
        return QStringLiteral("an unselected spot is not a white circle");
    const QImage text = form.text1()->viewport()->grab().toImage();
    if (QColor(text.pixel(text.width() - 3, text.height() - 3)) != QColor(Qt::white))
        return QStringLiteral("the description box is not white");
    if (form.text1()->palette().color(QPalette::Text) != QColor(Qt::black))
        return QStringLiteral("the description is not black");
    const QImage bar = form.menuBar()->grab().toImage();
    if (QColor(bar.pixel(bar.width() - 3, bar.height() / 2)) != QColor(0xef, 0xef, 0xef))
        return QStringLiteral("the menu bar is not light grey");
    if (form.menuBar()->palette().color(QPalette::ButtonText) != QColor(Qt::black))
        return QStringLiteral("the menu captions are not black");
    return {};
}

// The context menu `widget` opens on a right click at `at`, or null.
QMenu *contextMenuOf(QWidget *widget, QPoint at)
{
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, widget->mapToGlobal(at));
    QApplication::sendEvent(widget, &click);
    return qobject_cast<QMenu *>(QApplication::activePopupWidget());
}

// What a theme could change beyond the colours, as the program shows it: the
// exit question and the description box's two context menus.
const QStringList kLooks{"exit-question", "edit-menu", "scroll-bar-menu"};

QList<QImage> renderLooks(const QString &folder)
{
    QList<QImage> looks(kLooks.size());
    QApplication::clipboard()->setText(QStringLiteral("貼り付け")); // 貼り付け enabled in every run
    FakeRuntime pictures(folder);
    Form1 form(pictures);
    form.start();
    if (!QTest::qWaitForWindowExposed(&form))
        return looks;
    DesktopRuntime runtime;
    runtime.setOwner(&form);
    onModal(&form, [&looks](QWidget *modal) {
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            looks[0] = box->grab().toImage();
            box->button(QMessageBox::No)->click();
        }
    });
    runtime.MsgBox(u"終了します。", vbYesNo, u"終了");
    if (QMenu *menu = contextMenuOf(form.text1()->viewport(), QPoint(20, 20))) {
        looks[1] = menu->grab().toImage();
        menu->close();
    }
    QScrollBar *bar = form.text1()->verticalScrollBar();
    if (QMenu *menu = contextMenuOf(bar, QPoint(bar->width() / 2, bar->height() / 2))) {
        looks[2] = menu->grab().toImage();
        menu->close();
    }
    return looks;
}

// The looks as a run of this program with no platform theme renders them.
QList<QImage> renderLooksWithoutTheme(const QString &folder, const QString &into)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name :
         {"QT_QPA_PLATFORMTHEME", "GTK_THEME", "KDE_SESSION_VERSION", "XDG_CURRENT_DESKTOP",
          "DESKTOP_SESSION", "XDG_CONFIG_HOME", "DISPLAY", "WAYLAND_DISPLAY", "QT_SCALE_FACTOR"})
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess plain;
    plain.setProcessEnvironment(env);
    plain.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    plain.start(QCoreApplication::applicationFilePath(), {"--render-looks", folder, into});
    QList<QImage> looks(kLooks.size());
    if (!plain.waitForFinished(10000) || plain.exitCode() != 0)
        return looks;
    for (qsizetype i = 0; i < kLooks.size(); ++i)
        looks[i] = QImage(QDir(into).filePath(kLooks[i] + ".png"));
    return looks;
}

// Where two images of one size first differ, and in how many pixels.
QString differences(const QImage &a, const QImage &b)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    int n = 0;
    QPoint first(-1, -1);
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col)
            if (x.pixel(col, row) != y.pixel(col, row) && n++ == 0)
                first = {col, row};
    return n == 0 ? QString()
                  : QStringLiteral("%1 pixels differ, the first at (%2, %3)")
                        .arg(n)
                        .arg(first.x())
                        .arg(first.y());
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
        const QString wrong = unclassicColours(form);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));

        Form2 form2(&form);
        const QImage about = form2.surface()->grab().toImage();
        QCOMPARE(QColor(about.pixel(5, 90)), QColor(0xef, 0xef, 0xef));
        const QSizeF title =
            form2.surface()->controlSize(version_layout::row(version_layout::Id::Label1));
        QVERIFY(darkPixels(about, toQRect(twips::toPixelRect(1440, 360, int(title.width()),
                                                             int(title.height())))) > 10);
    }

    // Behind another window the main window is inactive, and still drawn in
    // the classic colours, not in the dark scheme's.
    void inactiveKeepsTheClassicColours_data()
    {
        QTest::addColumn<QString>("behind");
        QTest::newRow("the version window") << "version";
        QTest::newRow("a message box") << "box";
        QTest::newRow("another program's window") << "other";
    }

    void inactiveKeepsTheClassicColours()
    {
        QFETCH(QString, behind);
        QApplication::setPalette(darkDesktop());
        FakeRuntime fake(folder_.path());
        Form1 form(fake);
        form.start();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        bool up = false, inactive = false;
        QString wrong;
        const auto look = [&](QWidget *front) {
            up = front && QTest::qWaitForWindowActive(front);
            inactive = !form.isActiveWindow();
            wrong = unclassicColours(form);
        };
        if (behind == QLatin1String("other")) {
            QWidget other;
            other.resize(200, 100);
            other.show();
            other.activateWindow();
            look(&other);
        } else {
            onModal(this, [&](QWidget *modal) {
                look(modal);
                if (modal)
                    modal->close();
            });
            DesktopRuntime runtime;
            runtime.setOwner(&form);
            if (behind == QLatin1String("box"))
                runtime.MsgBox(u"終了します。", vbYesNo, u"終了");
            else
                form.handlers().Ver_Click();
        }
        QVERIFY(up);
        if (!inactive && behind != QLatin1String("other"))
            QSKIP("here a window counts as active while a modal window of its own is");
        QVERIFY(inactive);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
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
        form.handlers().Ver_Click();
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

    // Every shortcut the editor's menu shows works in the box, whatever key
    // scheme the desktop's theme picks (Redo is Ctrl+Shift+Z alone on some).
    void textBoxShortcutsAreTheMenus()
    {
        FakeRuntime runtime(folder_.path());
        Form1 form(runtime);
        form.start();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        TextBox *box = form.text1();
        QMenu *menu = contextMenuOf(box->viewport(), QPoint(20, 20));
        QVERIFY(menu);
        QHash<QString, QKeySequence> keys; // bare caption → the shortcut shown after it
        for (const QAction *action : menu->actions())
            if (action->text().contains(u'\t'))
                keys.insert(
                    bareCaption(action->text()),
                    QKeySequence(action->text().section(u'\t', 1), QKeySequence::NativeText));
        menu->close();
        QCOMPARE(keys.size(), 6);
        const auto press = [box, &keys](const char16_t *caption) {
            const QKeySequence key = keys.value(QString::fromUtf16(caption));
            QTest::keySequence(box, key);
            return !key.isEmpty();
        };
        box->setFocus();
        box->setText(QString());
        QTest::keyClicks(box, "abc");
        QVERIFY(press(u"すべて選択"));
        QCOMPARE(box->textCursor().selectedText(), QStringLiteral("abc"));
        QVERIFY(press(u"コピー"));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("abc"));
        QVERIFY(press(u"切り取り"));
        QCOMPARE(box->toPlainText(), QString());
        QVERIFY(press(u"貼り付け"));
        QVERIFY(press(u"貼り付け"));
        QCOMPARE(box->toPlainText(), QStringLiteral("abcabc"));
        QVERIFY(press(u"元に戻す"));
        QCOMPARE(box->toPlainText(), QStringLiteral("abc"));
        QVERIFY(press(u"やり直し"));
        QCOMPARE(box->toPlainText(), QStringLiteral("abcabc"));
    }

    // The scroll bar's menu too, in the classic colours under a dark scheme.
    void scrollBarContextMenuIsJapanese()
    {
        QApplication::setPalette(darkDesktop());
        FakeRuntime runtime(folder_.path());
        Form1 form(runtime);
        form.start();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.text1()->setText(QString(QStringLiteral("行\r\n")).repeated(200));
        QScrollBar *bar = form.text1()->verticalScrollBar();
        QMenu *menu = contextMenuOf(bar, QPoint(bar->width() / 2, bar->height() / 2));
        QVERIFY(menu);
        const QStringList entries = captions(*menu);
        QCOMPARE(entries.size(), 7);
        for (const QString &entry : entries)
            QVERIFY2(isJapanese(bareCaption(entry)), qPrintable(entry));
        QCOMPARE(menu->palette().color(QPalette::Window), QColor(0xef, 0xef, 0xef));
        QCOMPARE(menu->palette().color(QPalette::Inactive, QPalette::Window),
                 QColor(0xef, 0xef, 0xef));
        const QImage drawn = menu->grab().toImage();
        QCOMPARE(QColor(drawn.pixel(drawn.width() - 4, drawn.height() / 2)), QColor(Qt::white));
        QVERIFY(darkPixels(drawn, drawn.rect()) > 50); // the captions
        menu->close();
    }

    // Each entry of a scroll bar's menu, vertical or horizontal, does what its
    // caption says: from the middle of 0 to 1000, a page of 100 and a step of 10.
    void scrollBarMenuEntriesDoWhatTheySay_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("value");
        const int v = Qt::Vertical, h = Qt::Horizontal;
        QTest::newRow("ここにスクロール") << v << "ここにスクロール" << 500;
        QTest::newRow("上端") << v << "上端" << 0;
        QTest::newRow("下端") << v << "下端" << 1000;
        QTest::newRow("1 ページ上へ") << v << "1 ページ上へ" << 400;
        QTest::newRow("1 ページ下へ") << v << "1 ページ下へ" << 600;
        QTest::newRow("上へスクロール") << v << "上へスクロール" << 490;
        QTest::newRow("下へスクロール") << v << "下へスクロール" << 510;
        QTest::newRow("ここにスクロール, horizontal") << h << "ここにスクロール" << 500;
        QTest::newRow("左端") << h << "左端" << 0;
        QTest::newRow("右端") << h << "右端" << 1000;
        QTest::newRow("1 ページ左へ") << h << "1 ページ左へ" << 400;
        QTest::newRow("1 ページ右へ") << h << "1 ページ右へ" << 600;
        QTest::newRow("左へスクロール") << h << "左へスクロール" << 490;
        QTest::newRow("右へスクロール") << h << "右へスクロール" << 510;
    }

    void scrollBarMenuEntriesDoWhatTheySay()
    {
        QFETCH(int, orientation);
        QFETCH(QString, caption);
        QFETCH(int, value);
        QScrollBar bar{Qt::Orientation(orientation)};
        bar.resize(orientation == Qt::Vertical ? QSize(16, 400) : QSize(400, 16));
        bar.setRange(0, 1000);
        bar.setPageStep(100);
        bar.setSingleStep(10);
        bar.setValue(300);
        // "Scroll here" at the middle of the bar; the others from the middle value.
        const std::unique_ptr<QMenu> menu(standard_texts::scrollBarMenu(bar, bar.rect().center()));
        bar.setValue(500);
        const QList<QAction *> entries = menu->actions();
        const auto entry = std::find_if(entries.begin(), entries.end(),
                                        [&caption](QAction *a) { return a->text() == caption; });
        QVERIFY(entry != entries.end());
        (*entry)->trigger();
        if (caption == QStringLiteral("ここにスクロール"))
            QVERIFY2(qAbs(bar.value() - value) <= 50, qPrintable(QString::number(bar.value())));
        else
            QCOMPARE(bar.value(), value);
    }

    // Under a platform theme, or X11's generic one, the exit question (はい
    // then いいえ, no icons) and the context menus (no icons, the shortcuts of
    // a plain desktop) look exactly as with none.
    void looksAsWithoutTheme()
    {
        if (QGuiApplication::platformName() == QLatin1String("offscreen") &&
            qEnvironmentVariableIsEmpty("QT_QPA_PLATFORMTHEME"))
            QSKIP("this run is the one without a theme: the themed runs compare with it");
        // The theme asked for is the one in effect: both themes name an icon theme.
        if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORMTHEME"))
            QCOMPARE(QIcon::themeName(), QStringLiteral("Adwaita"));
        const QTemporaryDir into;
        const QList<QImage> plain = renderLooksWithoutTheme(folder_.path(), into.path());
        const QList<QImage> themed = renderLooks(folder_.path());
        for (qsizetype i = 0; i < kLooks.size(); ++i) {
            const QByteArray what = kLooks[i].toUtf8();
            QVERIFY2(!plain[i].isNull(), what + ": no rendering without a theme");
            QVERIFY2(!themed[i].isNull(), what + ": no rendering under the theme");
            const QString saved = QDir::temp().filePath("mirteka-looks-" + kLooks[i]);
            if (plain[i].size() != themed[i].size() ||
                !differences(plain[i], themed[i]).isEmpty()) {
                plain[i].save(saved + "-plain.png");
                themed[i].save(saved + "-themed.png");
            }
            QVERIFY2(plain[i].size() == themed[i].size(),
                     what + ": size differs; both saved as " + saved.toUtf8() + "-*.png");
            const QString diff = differences(plain[i], themed[i]);
            QVERIFY2(diff.isEmpty(),
                     what + ": " + diff.toUtf8() + "; both saved as " + saved.toUtf8() + "-*.png");
        }
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
        const QPoint origin = frame::centredFrameOrigin(area, client, frame);
        const QRect framed(origin, client.grownBy(frame));
        QVERIFY(qAbs(2 * framed.center().x() - 2 * area.center().x()) <= 2);
        QVERIFY(qAbs(2 * framed.center().y() - 2 * area.center().y()) <= 2);
    }
};

// As QTEST_MAIN, with the program's own application font; or, given
// "--render-looks FOLDER INTO", only renders the looks into INTO.
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setAttribute(Qt::AA_Use96Dpi, true);
    QApplication::setFont(fonts::defaultFont());
    const QStringList args = QApplication::arguments();
    if (args.size() == 4 && args[1] == QLatin1String("--render-looks")) {
        const QList<QImage> looks = renderLooks(args[2]);
        for (qsizetype i = 0; i < kLooks.size(); ++i)
            if (looks[i].isNull() || !looks[i].save(QDir(args[3]).filePath(kLooks[i] + ".png")))
                return 1;
        return 0;
    }
    TestDesktop test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_desktop.moc"
