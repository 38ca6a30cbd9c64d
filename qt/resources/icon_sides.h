#pragma once
// The program's icon at the sides desktops and Windows ask for, each drawn from
// the one 32 × 32 artwork so that every pixel is one of the artwork's colours,
// fully opaque or fully transparent: pixel art that no scaler has blurred.

#include <QImage>

namespace resources {

/// The icon `side` pixels square (8 to 256):
///
///   below 32   the computer without the title (no title can be read there):
///              every second pixel of it up to 16, then the rows and columns
///              most like their neighbours left out until it fits, centred;
///   32         the artwork as drawn;
///   above 32   the artwork doubled by edge-aware pixel doubling (diagonals and
///              corners follow the drawing instead of turning into steps),
///              until it is at least `side`, then rows and columns most like
///              their neighbours left out until it fits.
///
/// No side is the artwork with its pixels merely repeated.
QImage iconAtSide(const QImage &artwork, int side);

} // namespace resources
