#pragma once
// The program's message boxes: the system's own box, modal to its owner,
// with Japanese button captions whatever the language of Windows.

#include <windows.h>

#include <string_view>

namespace message_box {

/// Shows `prompt` under `title` with OK (style 0) or Yes and No (style 4, Yes
/// the default), no icon; returns the button pressed: 1 OK, 6 Yes, 7 No.
int show(HWND owner, std::wstring_view prompt, std::wstring_view title, int style);

} // namespace message_box
