#pragma once
// The toolkit's own texts in Japanese, whatever the locale and whichever of
// Qt's translations are installed: message-box buttons, the text editor's
// context menu and the scroll bar's. Written here rather than loaded, so a
// desktop without Japanese translations shows no English.

#include <QString>

class QMenu;
class QPlainTextEdit;
class QPoint;
class QScrollBar;

namespace standard_texts {

QString yes();
QString no();
QString ok();

/// The editor's standard context menu with Japanese captions; the shortcut
/// after each caption is kept. The caller owns the menu.
QMenu *editMenu(QPlainTextEdit &editor, const QPoint &position);

/// A scroll bar's context menu in Japanese, doing what Qt's own does. The caller owns the menu.
QMenu *scrollBarMenu(QScrollBar &bar, const QPoint &position);

} // namespace standard_texts
