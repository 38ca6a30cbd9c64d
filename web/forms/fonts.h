#pragma once
// The windows' default font, for controls without one of their own: the page
// names it first and lets the browser fall back to a stand-in (forms.js).

#include "core/layout.h"

namespace fonts {

inline constexpr layout::Font kDefault{u"ＭＳ Ｐゴシック", 9, 400};

} // namespace fonts
