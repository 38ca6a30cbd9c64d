#pragma once
// The keyboard of a window with controls, as in a dialog: Tab and Shift+Tab
// through the tab stops, the arrow keys within a group of option buttons, and
// Enter pressing the push button that has the focus.

#include <windows.h>

namespace keyboard {

/// Handles `msg` for the controls of `window`; true if it was handled and must
/// not be dispatched.
bool handle(HWND window, MSG &msg);

} // namespace keyboard
