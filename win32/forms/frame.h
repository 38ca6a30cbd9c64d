#pragma once
// Window frames: a top-level window sized so that its client area is the
// layout's, in twips, at the window's DPI, and centred frame and all.

#include <windows.h>

namespace frame {

/// Sizes `window` so that its client area is `width` × `height` twips at `dpi`.
void fitClientArea(HWND window, int width, int height, UINT dpi);

/// Centres the top-level `window` (frame and all) on its monitor's work area.
void centre(HWND window);

/// Moves `window` where Windows suggests on a change of DPI (WM_DPICHANGED);
/// its size follows from its client area, which the caller fits again.
void moveToSuggested(HWND window, const RECT &suggested);

/// The form a window procedure serves: the pointer given to CreateWindowExW,
/// kept in the window's user data from WM_NCCREATE on; null before that.
template <class Form> Form *formOf(HWND window, UINT message, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          LONG_PTR(reinterpret_cast<CREATESTRUCTW *>(lParam)->lpCreateParams));
    return reinterpret_cast<Form *>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

} // namespace frame
