#pragma once
// What both windows' frames have in common: a fixed single border with a close
// box and window menu only, an icon, the default font, the classic colours,
// and a place in the middle of the screen, frame and all.

#include <QMargins>
#include <QPoint>

class QIcon;
class QRect;
class QSize;
class QString;
class QWidget;

namespace frame {

/// Caption, icon, fixed single border, default font and classic colours;
/// `dialog` for a window that stands in front of another.
void apply(QWidget &window, const QString &caption, const QIcon &icon, bool dialog);

/// Where the frame's top-left corner goes so that the frame, client area and
/// `frame` margins together, sits in the middle of `area`.
QPoint centredFrameOrigin(const QRect &area, const QSize &client, const QMargins &frame);

/// Moves the window, frame and all, to the middle of its screen's free area.
/// Until the window manager has framed it, the frame is taken to be like those
/// of the windows already shown; once it is framed, a wrong guess is put right.
void centreOnScreen(QWidget &window);

/// The same over another window: the middle of its frame, or of the screen
/// while it is hidden.
void centreOver(QWidget &window, const QWidget *owner);

} // namespace frame
