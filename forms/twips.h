#pragma once
// Every position in the layout tables is in twips: 1440 to the inch, 15 to the
// pixel at 96 DPI. These are the only places where twips turn into pixels.

#include <QRect>
#include <QtGlobal>

namespace twips {

inline constexpr int kPerPixel = 15;

/// Logical pixels (what Qt widgets are placed in), rounded to the nearest one.
constexpr int toPixels(double t)
{
    const double p = t / kPerPixel;
    return static_cast<int>(p >= 0 ? p + 0.5 : p - 0.5);
}

/// Device pixels at the given device-pixel ratio. Edges go through here one by
/// one, so two items that share an edge in twips share it on screen too.
inline int toDevice(double t, qreal dpr) { return qRound(t * dpr / kPerPixel); }

/// A rectangle in logical pixels, from its edges (not from a rounded size).
constexpr QRect toPixelRect(int left, int top, int width, int height)
{
    const int x0 = toPixels(left), y0 = toPixels(top);
    return {x0, y0, toPixels(left + width) - x0, toPixels(top + height) - y0};
}

/// A rectangle in device pixels, from its edges.
inline QRect toDeviceRect(double left, double top, double width, double height, qreal dpr)
{
    const int x0 = toDevice(left, dpr), y0 = toDevice(top, dpr);
    return {x0, y0, toDevice(left + width, dpr) - x0, toDevice(top + height, dpr) - y0};
}

/// A pen or border of `pixels` logical pixels in device pixels: never thinner than one.
inline int toDeviceThickness(int pixels, qreal dpr) { return qMax(1, qRound(pixels * dpr)); }

} // namespace twips
