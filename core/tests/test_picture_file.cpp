// Opening a photograph's file: only a regular file, never waiting on a pipe,
// at any path length the system allows, folders with non-ASCII names in the
// system's own bytes, links followed to files only.

#include "core/picture_file.h"

#include <doctest/doctest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <climits>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

// A scratch folder of its own, removed with the object.
struct Scratch
{
    fs::path dir = fs::temp_directory_path() /
                   ("mirteka-file-" +
                    std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    Scratch() { fs::create_directories(dir); }
    ~Scratch()
    {
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    }
};

void write(const fs::path &path, std::size_t bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << std::string(bytes, 'x');
}

} // namespace

TEST_CASE("a regular file opens with its size; folders, relative and missing paths do not")
{
    Scratch s;
    const fs::path file = s.dir / u"部室の写真.jpg";
    write(file, 1234);
    const guide::PictureFile opened = guide::openPictureFile(file);
    REQUIRE(opened);
    CHECK(opened.size() == 1234);

    CHECK_FALSE(guide::openPictureFile(s.dir));
    CHECK_FALSE(guide::openPictureFile(file.filename()));
    CHECK_FALSE(guide::openPictureFile(s.dir / "missing.jpg"));
    CHECK_FALSE(guide::openPictureFile(fs::path()));
    CHECK_FALSE(guide::openPictureFile(fs::path(file.native() + fs::path::value_type('/'))));
}

TEST_CASE("devices and pipes are refused without waiting")
{
    const auto started = std::chrono::steady_clock::now();
#ifdef _WIN32
    CHECK_FALSE(guide::openPictureFile(LR"(\\.\NUL)"));
    // A pipe with a server that never answers.
    const std::wstring name = LR"(\\.\pipe\mirteka-test-)" + std::to_wstring(GetCurrentProcessId());
    HANDLE server =
        CreateNamedPipeW(name.c_str(), PIPE_ACCESS_INBOUND, PIPE_TYPE_BYTE, 1, 0, 0, 0, nullptr);
    REQUIRE(server != INVALID_HANDLE_VALUE);
    CHECK_FALSE(guide::openPictureFile(name));
    CloseHandle(server);
#else
    CHECK_FALSE(guide::openPictureFile("/dev/null"));
#ifdef __EMSCRIPTEN__
    MESSAGE("no FIFO check: emscripten's file layer has no FIFOs (mkfifo makes a plain file)");
#else
    CHECK_FALSE(guide::openPictureFile("/dev/zero"));
    Scratch s;
    const fs::path fifo = s.dir / "room1.jpg";
    REQUIRE(::mkfifo(fifo.c_str(), 0600) == 0);
    CHECK_FALSE(guide::openPictureFile(fifo)); // no writer: open() must not wait for one
    // Links are followed to a file (a package may link its photographs), not to a FIFO.
    write(s.dir / "photo.jpg", 10);
    fs::create_symlink(s.dir / "photo.jpg", s.dir / "link.jpg");
    fs::create_symlink(fifo, s.dir / "fifo-link.jpg");
    CHECK(guide::openPictureFile(s.dir / "link.jpg").size() == 10);
    CHECK_FALSE(guide::openPictureFile(s.dir / "fifo-link.jpg"));
#endif
#endif
    CHECK(std::chrono::steady_clock::now() - started < std::chrono::seconds(2));
}

#ifdef _WIN32
TEST_CASE("a file deeper than MAX_PATH opens by its plain full path")
{
    Scratch s;
    // Made through \\?\ paths, which have no length limit.
    std::wstring deep = LR"(\\?\)" + s.dir.native();
    const std::wstring folder(60, L'ヌ');
    for (int i = 0; i < 6; ++i) {
        deep += L'\\' + folder;
        REQUIRE(CreateDirectoryW(deep.c_str(), nullptr));
    }
    const std::wstring file = deep + LR"(\room1.jpg)";
    HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    REQUIRE(h != INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(h, "jpeg", 4, &written, nullptr);
    CloseHandle(h);

    const fs::path plain = file.substr(4); // as the program's folder and a name join it
    REQUIRE(plain.native().size() > MAX_PATH);
    const guide::PictureFile opened = guide::openPictureFile(plain);
    REQUIRE(opened);
    CHECK(opened.size() == 4);

    // Cleaned up here: remove_all would meet the same limit.
    DeleteFileW(file.c_str());
    for (int i = 0; i < 6; ++i) {
        RemoveDirectoryW(deep.c_str());
        deep.resize(deep.rfind(L'\\'));
    }
}
#endif

#ifndef _WIN32
namespace {

// Removes a tree too deep for one path, one name at a time.
void removeTree(int parent, const std::string &name)
{
    const int fd = ::openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW);
    if (fd >= 0) {
        DIR *dir = ::fdopendir(fd);
        while (const dirent *entry = dir ? ::readdir(dir) : nullptr) {
            const std::string child = entry->d_name;
            if (child != "." && child != ".." && ::unlinkat(fd, child.c_str(), 0) != 0)
                removeTree(fd, child);
        }
        if (dir)
            ::closedir(dir);
        else
            ::close(fd);
    }
    ::unlinkat(parent, name.c_str(), AT_REMOVEDIR);
}

} // namespace

TEST_CASE("a folder named in Shift-JIS bytes, and a path longer than PATH_MAX, open by their bytes")
{
    Scratch s;
    const std::string sjis = s.dir.native() + "/\x83\x7a\x83\x93\x83\x65\x83\x4c"; // ホンテキ
    REQUIRE(::mkdir(sjis.c_str(), 0700) == 0);
    write(sjis + "/room1.jpg", 1234);
    CHECK(guide::openPictureFile(sjis + "/room1.jpg").size() == 1234);

    // 30 folders of 200 bytes each, made one name at a time.
    std::string deep = sjis;
    int folder = ::open(sjis.c_str(), O_RDONLY | O_DIRECTORY);
    for (int i = 0; i < 30 && folder >= 0; ++i) {
        const std::string name(200, char('a' + i % 26));
        CHECK(::mkdirat(folder, name.c_str(), 0700) == 0);
        const int next = ::openat(folder, name.c_str(), O_RDONLY | O_DIRECTORY);
        ::close(folder);
        folder = next;
        deep += '/' + name;
    }
    REQUIRE(folder >= 0);
    REQUIRE(deep.size() > PATH_MAX);
    const int file = ::openat(folder, "room1.jpg", O_WRONLY | O_CREAT, 0600);
    ::close(folder);
    REQUIRE(file >= 0);
    CHECK(::write(file, "jpeg", 4) == 4);
    ::close(file);
    CHECK(guide::openPictureFile(deep + "/room1.jpg").size() == 4);
    CHECK_FALSE(guide::openPictureFile(deep + "/room2.jpg"));
    // A step back up is taken by the system, one name at a time like the others.
    const std::string last = deep.substr(deep.rfind('/') + 1);
    CHECK(guide::openPictureFile(deep + "/../" + last + "/room1.jpg"));
    CHECK_FALSE(guide::openPictureFile(deep + "/../" + std::string(200, 'z') + "/room1.jpg"));
    removeTree(AT_FDCWD, sjis);
}
#endif
