#include "forms/form_frame.h"

#include <QIcon>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include "forms/fonts.h"

namespace form_frame {

void apply(QWidget &window, const QString &caption, const QIcon &icon, bool dialog)
{
    window.setWindowTitle(caption);
    window.setWindowIcon(icon);
    // Nothing to resize, maximise or minimise: a close box and the window menu.
    window.setWindowFlags((dialog ? Qt::Dialog : Qt::Window) | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    window.setFont(fonts::defaultFont());
}

void centreOnScreen(QWidget &window)
{
    window.adjustSize();
    if (const QScreen *screen = window.screen())
        window.move(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter,
                                        window.frameGeometry().size(), screen->availableGeometry())
                        .topLeft());
}

} // namespace form_frame
