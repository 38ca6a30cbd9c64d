#pragma once
// The desktop's own words, in Japanese on every front end whatever the
// system's language: the message boxes' buttons and the description box's
// edit menu. A front end shows these rather than its toolkit's translations,
// so a system without Japanese ones shows no English.

#include <array>
#include <string_view>

namespace desktop_texts {

inline constexpr std::u16string_view kYes = u"はい(&Y)";
inline constexpr std::u16string_view kNo = u"いいえ(&N)";
inline constexpr std::u16string_view kOk = u"OK";
/// A title bar's close box, as screen readers name it.
inline constexpr std::u16string_view kClose = u"閉じる";

/// The commands of a text box's edit menu.
enum class Edit { Undo, Redo, Cut, Copy, Paste, Delete, SelectAll };

/// Each command's caption, with its access key after "&".
constexpr std::u16string_view caption(Edit command)
{
    switch (command) {
    case Edit::Undo:
        return u"元に戻す(&U)";
    case Edit::Redo:
        return u"やり直し(&R)";
    case Edit::Cut:
        return u"切り取り(&T)";
    case Edit::Copy:
        return u"コピー(&C)";
    case Edit::Paste:
        return u"貼り付け(&P)";
    case Edit::Delete:
        return u"削除(&D)";
    case Edit::SelectAll:
        return u"すべて選択(&A)";
    }
    return {};
}

} // namespace desktop_texts
