#pragma once
// Painted items that screen readers should find (labels, images, the floor
// plan) get a child window of their own: an owner-drawn static whose text is
// the item's name and which shows the surface's painting at its place. The
// painting stays the surface's, in depth order; the window only names it.

#include <windows.h>

#include <string_view>

class Surface;

namespace painted_item {

/// An owner-drawn static named `name`, at the bottom of its siblings so far.
HWND create(HWND parent, int id, std::wstring_view name, HINSTANCE instance);

/// Moves the item's window to `r` (client coordinates of its parent).
void place(HWND item, const RECT &r);

/// WM_PAINT of a window that shows `surface`: double-buffered.
void paintWindow(HWND window, const Surface &surface);

/// WM_DRAWITEM for an item's window: the surface's painting at its place.
void paintItem(const DRAWITEMSTRUCT &item, HWND parent, const Surface &surface);

} // namespace painted_item
