#pragma once
// Starting without a display: Qt ends a program whose display cannot be
// opened with an abort (status 134, perhaps a core dump) after a screenful of
// plugin advice. The guard turns that into one line on stderr and status 1.

#include <QApplication>

#include <memory>

namespace display_guard {

/// The application, on its display; or, when none can be opened, a line
/// naming the program and the display on stderr and the end of the program
/// with status 1. Qt's messages while opening it are held back and passed on
/// once it is open, so a working start says no more than before.
std::unique_ptr<QApplication> openApplication(int &argc, char **argv, const char *program);

/// The line said when no display can be opened, for the platform and display given.
QString noDisplayLine(const QString &program, const QString &platform, const QString &display);

} // namespace display_guard
