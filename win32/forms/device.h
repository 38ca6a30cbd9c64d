#pragma once
// Twips become device pixels here and nowhere else in the Windows program:
// every window asks with its own DPI (per-monitor), so a window moved to a
// monitor of another scale is laid out anew from the same tables.

#include <windows.h>

#include "core/layout.h"
#include "core/twips.h"

namespace device {

inline constexpr UINT kBaseDpi = USER_DEFAULT_SCREEN_DPI; // 96: 15 twips to the pixel

inline double ratio(UINT dpi) { return double(dpi) / kBaseDpi; }

inline int length(double t, UINT dpi) { return twips::toDevice(t, ratio(dpi)); }

inline RECT rect(double left, double top, double width, double height, UINT dpi)
{
    const twips::Rect r = twips::toDeviceRect(left, top, width, height, ratio(dpi));
    return {r.x, r.y, r.x + r.width, r.y + r.height};
}

/// A control's rectangle in the client area (not for lines, whose fields are end points).
inline RECT controlRect(const layout::Control &c, UINT dpi)
{
    return rect(c.left, c.top, c.width, c.height, dpi);
}

inline int thickness(int pixels, UINT dpi) { return twips::toDeviceThickness(pixels, ratio(dpi)); }

inline double toTwips(int pixels, UINT dpi) { return twips::fromDevice(pixels, ratio(dpi)); }

/// Point size to a font height in device pixels (negative: the em, not the cell).
inline int fontHeight(double points, UINT dpi) { return -twips::nearest(points * dpi / 72.0); }

/// A colour of the layout (0xAARRGGBB; 0 is the system colour `system`) as GDI takes it.
inline COLORREF colour(layout::Colour c, int system)
{
    if (c == layout::kSystemColour)
        return GetSysColor(system);
    return RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
}

} // namespace device
