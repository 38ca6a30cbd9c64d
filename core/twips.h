#pragma once
// Every position in the layout tables is in twips: 1440 to the inch, 15 to the
// pixel at 96 DPI. These are the only places where twips turn into pixels.

#include <algorithm>

namespace twips {

inline constexpr int kPerPixel = 15;

/// A rectangle in whole pixels: left and top edges, width and height.
struct Rect
{
    int x = 0, y = 0, width = 0, height = 0;

    friend constexpr bool operator==(const Rect &, const Rect &) = default;
};

/// The nearest whole number, halves away from zero.
constexpr int nearest(double v) { return static_cast<int>(v >= 0 ? v + 0.5 : v - 0.5); }

/// Logical pixels (96 to the inch at 100 %), rounded to the nearest one.
constexpr int toPixels(double t) { return nearest(t / kPerPixel); }

/// Device pixels at the given ratio of device to logical pixels. Edges go
/// through here one by one, so two items that share an edge in twips share it
/// on screen too.
constexpr int toDevice(double t, double dpr) { return nearest(t * dpr / kPerPixel); }

/// A rectangle in logical pixels, from its edges (not from a rounded size).
constexpr Rect toPixelRect(int left, int top, int width, int height)
{
    const int x0 = toPixels(left), y0 = toPixels(top);
    return {x0, y0, toPixels(left + width) - x0, toPixels(top + height) - y0};
}

/// A rectangle in device pixels, from its edges.
constexpr Rect toDeviceRect(double left, double top, double width, double height, double dpr)
{
    const int x0 = toDevice(left, dpr), y0 = toDevice(top, dpr);
    return {x0, y0, toDevice(left + width, dpr) - x0, toDevice(top + height, dpr) - y0};
}

/// A pen or border of `pixels` logical pixels in device pixels: never thinner than one.
constexpr int toDeviceThickness(int pixels, double dpr)
{
    return std::max(1, nearest(pixels * dpr));
}

/// Device pixels back to twips, for a size the window system reports.
constexpr double fromDevice(int pixels, double dpr) { return pixels * kPerPixel / dpr; }

} // namespace twips
