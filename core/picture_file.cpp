// On POSIX systems the path is opened one component at a time with openat():
// each call sees a single name, so no call is refused for a path over
// PATH_MAX, and the bytes of each name go to the system as they are.
// On Windows the wide path goes to CreateFileW whole, as a \\?\ path when it
// is long, and only a file on disk is kept: not a pipe, console or device.

#include "core/picture_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace guide {

namespace {

#ifdef _WIN32

// Paths this long are refused unless written as \\?\ paths, which Windows
// takes as they are: no "." or "..", backslashes only, as a full path has.
constexpr std::size_t kShortPathLimit = MAX_PATH - 12;

std::wstring extendedPath(const std::filesystem::path &path)
{
    const std::wstring &p = path.native();
    if (p.size() < kShortPathLimit || p.starts_with(LR"(\\?\)"))
        return p;
    if (p.starts_with(LR"(\\)")) // \\server\share\... is \\?\UNC\server\share\...
        return LR"(\\?\UNC\)" + p.substr(2);
    return LR"(\\?\)" + p;
}

int openFile(const std::filesystem::path &path)
{
    // Opening a pipe, a console or a device by name neither blocks nor reads:
    // the type is checked before anything is read, and they are refused.
    HANDLE file =
        CreateFileW(extendedPath(path).c_str(), GENERIC_READ,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return -1;
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        return -1;
    }
    const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(file), _O_RDONLY | _O_BINARY);
    if (fd < 0)
        CloseHandle(file);
    return fd; // the descriptor owns the handle now
}

bool regularFileSize(int fd, std::int64_t &size)
{
    struct _stat64 st = {};
    if (::_fstat64(fd, &st) != 0 || (st.st_mode & _S_IFMT) != _S_IFREG)
        return false;
    size = st.st_size;
    return true;
}

void closeFile(int fd) { ::_close(fd); }

#else

#ifdef O_PATH
constexpr int kFolderFlags = O_PATH | O_DIRECTORY | O_CLOEXEC; // search permission is enough
#else
constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
#endif

// O_NONBLOCK keeps open() from waiting for a writer on a FIFO; the caller's
// fstat then refuses anything but a regular file before any read.
constexpr int kFileFlags = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;

int openFile(const std::filesystem::path &path)
{
    std::filesystem::path names = path.relative_path();
    if (!path.has_root_directory() || !names.has_filename())
        return -1;
    int folder = ::open("/", kFolderFlags);
    const std::filesystem::path last = names.filename();
    for (const std::filesystem::path &name : names.parent_path()) {
        if (folder < 0)
            break;
        if (name.empty())
            continue;
        const int next = ::openat(folder, name.c_str(), kFolderFlags);
        ::close(folder);
        folder = next;
    }
    if (folder < 0)
        return -1;
    const int fd = ::openat(folder, last.c_str(), kFileFlags);
    ::close(folder);
    return fd;
}

bool regularFileSize(int fd, std::int64_t &size)
{
    struct stat st = {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    size = st.st_size;
    return true;
}

void closeFile(int fd) { ::close(fd); }

#endif

} // namespace

PictureFile::~PictureFile()
{
    if (fd_ >= 0)
        closeFile(fd_);
}

PictureFile openPictureFile(const std::filesystem::path &path)
{
    if (path.empty() || !path.is_absolute())
        return {};
    const int fd = openFile(path);
    if (fd < 0)
        return {};
    std::int64_t size = 0;
    if (!regularFileSize(fd, size)) {
        closeFile(fd);
        return {};
    }
    return {fd, size};
}

} // namespace guide
