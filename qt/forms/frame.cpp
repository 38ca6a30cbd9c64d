#include "qt/forms/frame.h"

#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QPointer>
#include <QRect>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include "qt/forms/classic_palette.h"
#include "qt/forms/fonts.h"

namespace frame {
namespace {

QMargins marginsOf(const QWidget &window)
{
    const QWindow *handle = window.windowHandle();
    return handle && window.isVisible() ? handle->frameMargins() : QMargins();
}

// The frame a window will get: its own once it has one, else that of a window
// on screen (the same window manager frames them alike), else none.
QMargins expectedFrame(const QWidget &window)
{
    if (const QMargins own = marginsOf(window); !own.isNull())
        return own;
    for (const QWidget *other : QApplication::topLevelWidgets())
        if (other != &window)
            if (const QMargins m = marginsOf(*other); !m.isNull())
                return m;
    return {};
}

QRect areaFor(const QWidget &window, const QWidget *owner)
{
    if (owner && owner->isVisible())
        return owner->frameGeometry();
    const QScreen *screen = window.screen();
    return screen ? screen->availableGeometry() : QRect();
}

// Places the client area so that a frame of `frame` margins has its top-left at `origin`.
void place(QWidget &window, const QPoint &origin, const QMargins &frame)
{
    window.setGeometry(QRect(origin + QPoint(frame.left(), frame.top()), window.size()));
}

// Puts right a guessed frame once the window manager has framed the window:
// by the time the window is first exposed on screen it has its frame. Window
// systems that never tell the frame leave the guess standing.
class FrameWatch final : public QObject
{
public:
    FrameWatch(QWidget &window, QRect area, QMargins guess)
        : QObject(&window), window_(&window), area_(area), guess_(guess)
    {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!window_)
            return false;
        if (watched == window_ && event->type() == QEvent::Show && window_->windowHandle()) {
            window_->windowHandle()->installEventFilter(this);
        } else if (watched == window_ && event->type() == QEvent::Hide) {
            deleteLater();
        } else if (event->type() == QEvent::Expose && watched == window_->windowHandle()) {
            const QMargins frame = marginsOf(*window_);
            if (!frame.isNull()) {
                if (frame != guess_)
                    place(*window_, centredFrameOrigin(area_, window_->size(), frame), frame);
                deleteLater();
            }
        }
        return false;
    }

private:
    QPointer<QWidget> window_;
    QRect area_;
    QMargins guess_;
};

void centre(QWidget &window, const QRect &area)
{
    window.adjustSize();
    if (area.isEmpty())
        return;
    const QMargins frame = expectedFrame(window);
    place(window, centredFrameOrigin(area, window.size(), frame), frame);
    if (marginsOf(window).isNull())
        new FrameWatch(window, area, frame);
}

} // namespace

void apply(QWidget &window, const QString &caption, const QIcon &icon, bool dialog)
{
    window.setWindowTitle(caption);
    window.setWindowIcon(icon);
    // Nothing to resize, maximise or minimise: a close box and the window menu.
    window.setWindowFlags((dialog ? Qt::Dialog : Qt::Window) | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    window.setFont(fonts::defaultFont());
    classic_palette::pin(window);
}

QPoint centredFrameOrigin(const QRect &area, const QSize &client, const QMargins &frame)
{
    const int width = client.width() + frame.left() + frame.right();
    const int height = client.height() + frame.top() + frame.bottom();
    return {area.x() + (area.width() - width) / 2, area.y() + (area.height() - height) / 2};
}

void centreOnScreen(QWidget &window) { centre(window, areaFor(window, nullptr)); }

void centreOver(QWidget &window, const QWidget *owner) { centre(window, areaFor(window, owner)); }

} // namespace frame
