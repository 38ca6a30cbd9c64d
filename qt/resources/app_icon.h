#pragma once
// The program's icon: 32 × 32 pixels in the 16 colours of the standard palette,
// with a transparent background.

class QIcon;
class QImage;

namespace resources {

/// The icon as drawn, 32 × 32, transparent where the mask is.
QImage appIconImage();

/// The icon for window frames and the task bar, with pixel-doubled larger sizes.
QIcon appIcon();

} // namespace resources
