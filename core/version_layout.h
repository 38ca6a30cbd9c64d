#pragma once
// The version window's layout: its controls, front to back, and its frame.

#include "core/layout.h"

#include <array>

namespace version_layout {

inline constexpr std::u16string_view kCaption = u"バージョン情報";
inline constexpr int kClientWidth = 7200;  ///< twips
inline constexpr int kClientHeight = 1470; ///< twips

enum class Id { Command1, Image1, Label2, Label3, Label1, Count };

extern const std::array<layout::Control, static_cast<std::size_t>(Id::Count)> kControls;

constexpr int row(Id id) { return static_cast<int>(id); }

} // namespace version_layout
