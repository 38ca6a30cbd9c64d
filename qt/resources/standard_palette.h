#pragma once
// The standard 16-colour palette, in the order of its 4-bit indices. The icon is
// drawn only in these colours, so it can be stored as a classic 4 bpp icon.

#include <QtGui/qrgb.h>

#include <array>

namespace resources {

inline constexpr std::array<QRgb, 16> kStandardPalette{
    qRgb(0x00, 0x00, 0x00), // black
    qRgb(0x80, 0x00, 0x00), // maroon
    qRgb(0x00, 0x80, 0x00), // green
    qRgb(0x80, 0x80, 0x00), // olive
    qRgb(0x00, 0x00, 0x80), // navy
    qRgb(0x80, 0x00, 0x80), // purple
    qRgb(0x00, 0x80, 0x80), // teal
    qRgb(0xC0, 0xC0, 0xC0), // silver
    qRgb(0x80, 0x80, 0x80), // grey
    qRgb(0xFF, 0x00, 0x00), // red
    qRgb(0x00, 0xFF, 0x00), // lime
    qRgb(0xFF, 0xFF, 0x00), // yellow
    qRgb(0x00, 0x00, 0xFF), // blue
    qRgb(0xFF, 0x00, 0xFF), // fuchsia
    qRgb(0x00, 0xFF, 0xFF), // aqua
    qRgb(0xFF, 0xFF, 0xFF), // white
};

/// Index of an opaque colour in the palette, or -1 if it is not one of them.
constexpr int standardPaletteIndex(QRgb colour)
{
    for (int i = 0; i < int(kStandardPalette.size()); ++i) {
        if (kStandardPalette[i] == (colour | 0xFF000000u))
            return i;
    }
    return -1;
}

} // namespace resources
