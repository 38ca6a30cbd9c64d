// On Linux the kernel names the program file in /proc/self/exe, links
// resolved, byte for byte; readlink() is asked again with a larger buffer
// until the name fits, though the kernel refuses names over a page (4095
// bytes, measured). Elsewhere Qt's answer is taken.

#include "qt/forms/program_folder.h"

#include <QtGlobal>

#include <string>

#ifdef Q_OS_LINUX
#include <unistd.h>
#else
#include <QCoreApplication>
#endif

namespace forms {

namespace {

#ifdef Q_OS_LINUX
// Far past any name the kernel gives: it refuses those over a page.
constexpr std::size_t kMaxNameBytes = std::size_t{1} << 20;

std::string programFile()
{
    for (std::size_t capacity = 4096; capacity <= kMaxNameBytes; capacity *= 4) {
        std::string name(capacity, '\0');
        const ssize_t n = ::readlink("/proc/self/exe", name.data(), name.size());
        if (n < 0)
            return {};
        if (std::size_t(n) < name.size()) {
            // A program file replaced while it runs is named "... (deleted)",
            // which leaves its folder as it was.
            name.resize(std::size_t(n));
            return name;
        }
    }
    return {};
}
#endif

} // namespace

std::filesystem::path programFolder()
{
#ifdef Q_OS_LINUX
    const std::filesystem::path file = programFile();
#else
    const QString name = QCoreApplication::applicationFilePath();
    const std::filesystem::path file =
        name.isEmpty() ? std::filesystem::path() : std::filesystem::path(name.toStdU16String());
#endif
    if (!file.is_absolute() || !file.has_filename())
        return {};
    return file.parent_path();
}

} // namespace forms
