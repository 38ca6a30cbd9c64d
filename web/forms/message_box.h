#pragma once
// A modal message box in the page, without an icon: OK, or はい and いいえ
// with はい focused. The caller waits until it is answered while the page
// goes on (the program is built with Asyncify).

#include <string_view>

namespace forms {

/// Returns the button pressed as MsgBoxResult; `yesNo` gives はい and いいえ, else OK.
int messageBox(std::u16string_view prompt, bool yesNo, std::u16string_view title);

} // namespace forms
