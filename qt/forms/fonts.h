#pragma once
// Fonts by the names the layout uses. The layout names Japanese Gothic faces
// that Linux desktops rarely have; a substitution registered once sends them to
// a proportional Japanese Gothic that Debian has, while the named face still
// wins wherever it is installed.

#include <QFont>

#include "core/layout.h"

namespace fonts {

/// Starts reading the system's font configuration on a thread of its own, so
/// that it overlaps with connecting to the display. The first font made
/// afterwards waits for it.
void preloadConfiguration();

/// The windows' default font: a 9-point Japanese proportional Gothic.
QFont defaultFont();

/// A control's own font as the layout describes it.
QFont fromLayout(const layout::Font &font);

/// The font a control draws with: its own, or the default one.
QFont forControl(const layout::Control &control);

} // namespace fonts
