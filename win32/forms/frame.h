#pragma once
// Window frames: a top-level window sized so that its client area is the
// layout's, in twips, at the window's DPI, and centred frame and all.

#include <windows.h>

namespace frame {

/// Sizes `window` so that its client area is `width` × `height` twips at `dpi`.
void fitClientArea(HWND window, int width, int height, UINT dpi);

/// Centres the top-level `window` (frame and all) on its monitor's work area.
void centre(HWND window);

} // namespace frame
