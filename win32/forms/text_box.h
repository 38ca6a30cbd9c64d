#pragma once
// The multi-line text box's right-click menu, in Japanese whatever the
// language of Windows: the edit control's own commands under the captions of
// the Japanese desktop.

#include <windows.h>

namespace text_box {

/// Gives the edit control `edit` the Japanese menu in place of its own.
void useJapaneseMenu(HWND edit);

} // namespace text_box
