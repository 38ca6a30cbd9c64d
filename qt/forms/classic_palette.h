#pragma once
// The colours both windows are drawn in, whatever the desktop's theme: the
// light system colours (button face, button text, window background, window
// text) of a plain desktop. The floor plan's fills are fixed light colours, so
// its lines and labels must stay dark on every theme, dark ones included.

class QPalette;
class QWidget;

namespace classic_palette {

/// Every colour role of every group set, so no theme can fill one in.
QPalette palette();

/// Pins the palette on a window and all its controls. Windows it owns (dialogs,
/// message boxes, pop-up menus) take no palette from it and are pinned on their own.
void pin(QWidget &window);

} // namespace classic_palette
