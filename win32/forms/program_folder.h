#pragma once
// The folder of the program file, as Windows names it: any length, any
// characters.

#include <filesystem>

namespace program_folder {

/// The folder without a trailing separator (except at a drive's root); empty
/// when Windows cannot name the program file.
std::filesystem::path get();

} // namespace program_folder
