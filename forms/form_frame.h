#pragma once
// What both windows' frames have in common: a fixed single border with a close
// box and window menu only, an icon, the default font, and a place
// in the middle of the screen.

class QIcon;
class QString;
class QWidget;

namespace form_frame {

/// Caption, icon, fixed single border and default font; `dialog` for a window
/// that stands in front of another.
void apply(QWidget &window, const QString &caption, const QIcon &icon, bool dialog);

/// Moves the window, frame and all, to the middle of its screen's free area.
void centreOnScreen(QWidget &window);

} // namespace form_frame
