#pragma once
// The folder of the program file, as the system names it.

#include <filesystem>

namespace forms {

/// The folder that holds the program file, links resolved, in the system's own
/// bytes: a name that is not valid UTF-8 is kept as it is. Empty when the
/// folder cannot be named (Linux names a program file only up to 4095 bytes);
/// never the current directory or "/" in its place.
std::filesystem::path programFolder();

} // namespace forms
