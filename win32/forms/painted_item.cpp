#include "win32/forms/painted_item.h"

#include <string>

#include "win32/forms/gdi.h"
#include "win32/forms/surface.h"

namespace painted_item {

HWND create(HWND parent, int id, std::wstring_view name, HINSTANCE instance)
{
    return CreateWindowExW(0, L"STATIC", std::wstring(name).c_str(),
                           WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SS_OWNERDRAW, 0, 0, 0, 0,
                           parent, HMENU(INT_PTR(id)), instance, nullptr);
}

void place(HWND item, const RECT &r)
{
    SetWindowPos(item, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void paintWindow(HWND window, const Surface &surface)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    {
        const gdi::BufferedPaint buffer(dc, ps.rcPaint);
        surface.paint(buffer.dc(), ps.rcPaint);
    }
    EndPaint(window, &ps);
}

void paintItem(const DRAWITEMSTRUCT &item, HWND parent, const Surface &surface)
{
    POINT at{0, 0}; // the item's corner in its parent's client area
    MapWindowPoints(item.hwndItem, parent, &at, 1);
    RECT area = item.rcItem;
    RECT clip;
    if (GetClipBox(item.hDC, &clip) != NULLREGION && clip.right > clip.left)
        IntersectRect(&area, &area, &clip);
    const gdi::BufferedPaint buffer(item.hDC, area, at);
    RECT inParent = area;
    OffsetRect(&inParent, at.x, at.y);
    surface.paint(buffer.dc(), inParent);
}

} // namespace painted_item
