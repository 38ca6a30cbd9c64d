#pragma once
// The main window's layout: its 64 controls, front to back, and its frame.

#include "core/layout.h"

#include <array>

namespace main_layout {

inline constexpr std::u16string_view kCaption = u"ヌペ部の謎";
inline constexpr int kClientWidth = 10185; ///< twips
inline constexpr int kClientHeight = 7395; ///< twips

/// Controls in table order, which is depth order (Option1 frontmost, Shape9 backmost).
// clang-format off
#define MIRTEKA_MAIN_CONTROLS(X)                                                                \
    X(Option1) X(Option6) X(Option8) X(Option5) X(Option4) X(Option3) X(Option2) X(Option7)     \
    X(Command2) X(Command1) X(Text1)                                                            \
    X(Shape18) X(Shape17) X(Shape3) X(Line29) X(Shape16) X(Line28) X(Shape15) X(Shape14)        \
    X(Shape13) X(Shape12) X(Label5) X(Label4) X(Image1) X(Shape11) X(Line27) X(Line26)          \
    X(Line25) X(Line14) X(Label3) X(Label2) X(Label1) X(Shape10) X(Line24) X(Line23) X(Line22)  \
    X(Line21) X(Line20) X(Line19) X(Line18) X(Line17) X(Line16) X(Line15) X(Line13) X(Line12)   \
    X(Line11) X(Line10) X(Line9) X(Line8) X(Line7) X(Line6) X(Shape7) X(Line5) X(Line4)         \
    X(Line3) X(Line2) X(Line1) X(Shape5) X(Shape4) X(Shape2) X(Shape6) X(Shape1) X(Shape8)      \
    X(Shape9)
// clang-format on

#define MIRTEKA_ID(name) name,
enum class Id { MIRTEKA_MAIN_CONTROLS(MIRTEKA_ID) Count };
#undef MIRTEKA_ID

extern const std::array<layout::Control, static_cast<std::size_t>(Id::Count)> kControls;

constexpr int row(Id id) { return static_cast<int>(id); }

/// The menu bar's items, left to right; each is a command, not a menu.
struct MenuItem
{
    std::u16string_view name, caption;
};
inline constexpr std::array<MenuItem, 2> kMenu{{{u"End", u"終了"}, {u"Ver", u"バージョン情報"}}};

/// The option buttons in the order of their guide entries: kOptions[n - 1] is OptionN.
inline constexpr std::array<Id, 8> kOptions{Id::Option1, Id::Option2, Id::Option3, Id::Option4,
                                            Id::Option5, Id::Option6, Id::Option7, Id::Option8};

/// The guide entry the option button `id` selects (OptionN: N), or 0 for any other control.
constexpr int optionNumber(Id id)
{
    for (std::size_t i = 0; i < kOptions.size(); ++i)
        if (kOptions[i] == id)
            return int(i) + 1;
    return 0;
}

} // namespace main_layout
