#pragma once
// Fonts of the windows: the face a layout names, or the default 9-point face,
// whichever of them is installed, then the Japanese UI faces Windows ships.

#include <windows.h>

#include <string>
#include <string_view>

#include "core/layout.h"
#include "win32/forms/gdi.h"

namespace fonts {

/// The first installed face of `preferred`, "Yu Gothic UI" and "Meiryo UI";
/// `preferred` itself when none is (the font mapper then picks its nearest).
std::wstring installedFace(std::u16string_view preferred);

/// `font` (or the default) at `dpi`, with the Japanese character set.
gdi::Font create(const layout::Font *font, UINT dpi);

} // namespace fonts
