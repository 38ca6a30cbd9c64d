#pragma once
// What screen readers say of the windows' parts that have no caption of their
// own, or need a word more than their caption: the same words on every
// platform, so a reader hears one program.

#include <string>
#include <string_view>

namespace reader_texts {

// Form1
inline constexpr std::u16string_view kPlan = u"部室の見取り図";
inline constexpr std::u16string_view kPlanDescription = u"丸いボタンで見どころを選びます";
inline constexpr std::u16string_view kSpotDescription = u"この場所の説明と写真を表示します";
inline constexpr std::u16string_view kImage1 = u"写真";
inline constexpr std::u16string_view kCommand1Description = u"この場所の1枚目の写真を表示します";
inline constexpr std::u16string_view kCommand2Description = u"この場所の2枚目の写真を表示します";
inline constexpr std::u16string_view kText1 = u"説明";
inline constexpr std::u16string_view kText1Description = u"選んだ場所の説明";
inline constexpr std::u16string_view kEndDescription = u"プログラムを終了します";
inline constexpr std::u16string_view kVerDescription = u"バージョン情報を表示します";

// Form2
inline constexpr std::u16string_view kIcon = u"アイコン";
inline constexpr std::u16string_view kOkDescription = u"バージョン情報を閉じます";

/// The photograph's description once the guide's file `fileName` is on show.
inline std::u16string image1Description(std::u16string_view fileName)
{
    return std::u16string(u"表示中の写真：") + std::u16string(fileName);
}

} // namespace reader_texts
