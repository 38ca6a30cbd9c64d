#pragma once
// A decoded photograph as plain memory: what the loader hands to a front end,
// which shows it in its own way (Qt wraps the pixels, Win32 blits them).

#include <cstdint>
#include <vector>

namespace guide {

/// A size in pixels.
struct Size
{
    int width = 0, height = 0;

    constexpr bool isEmpty() const { return width <= 0 || height <= 0; }
    constexpr Size transposed() const { return {height, width}; }
    friend constexpr bool operator==(const Size &, const Size &) = default;
};

/// Pixels as 0xFFRRGGBB, row by row from the top, `width` to a row. In memory
/// on a little-endian machine each is B, G, R, 0xFF: what Qt calls RGB32 and
/// a 32-bit Windows DIB holds.
struct Picture
{
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;

    bool isNull() const { return pixels.empty(); }
    Size size() const { return {width, height}; }
    std::uint32_t pixel(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
};

/// A picture of `size`, every pixel black; an empty one if the memory cannot be had.
Picture makePicture(Size size);

/// `from` stretched to exactly `to`, its aspect ratio not kept: each pixel the
/// average of the area it covers when shrinking, interpolated when growing.
Picture scaleSmoothly(const Picture &from, Size to);

/// `from` turned upright from EXIF orientation `orientation` (1 to 8).
Picture applyOrientation(const Picture &from, int orientation);

} // namespace guide
