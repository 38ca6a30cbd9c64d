#pragma once
// What a desktop's platform theme would change beyond the colours, fixed as
// classic_palette fixes those: message-box buttons in the order of a plain
// desktop, はい before いいえ, and neither buttons nor menus with icons. GTK's
// theme, KDE's and none then show the boxes and menus alike.

class QMenu;
class QMessageBox;

namespace classic_style {

/// The box's buttons left to right as on a plain desktop, without icons;
/// for buttons set before the call and after it.
void pin(QMessageBox &box);

/// The menu's items without icons.
void pin(QMenu &menu);

} // namespace classic_style
