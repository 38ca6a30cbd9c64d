#include "win32/forms/program_folder.h"

#include <windows.h>

#include <string>

namespace program_folder {

std::filesystem::path get()
{
    // GetModuleFileNameW cuts a long name to the buffer without saying how
    // long it is: grow the buffer until the name fits, up to the 32767
    // characters a path can have.
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, name.data(), DWORD(name.size()));
        if (n == 0)
            return {};
        if (n < name.size()) {
            name.resize(n);
            break;
        }
        if (name.size() >= 32768)
            return {};
        name.resize(name.size() * 2);
    }
    return std::filesystem::path(name).parent_path();
}

} // namespace program_folder
