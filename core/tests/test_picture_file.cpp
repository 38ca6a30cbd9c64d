// Opening a photograph's file: only a regular file, never waiting on a pipe,
// at any path length the system allows, and folders with non-ASCII names.

#include "core/picture_file.h"

#include <doctest/doctest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
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
    Scratch s;
    const fs::path fifo = s.dir / "room1.jpg";
    REQUIRE(::mkfifo(fifo.c_str(), 0600) == 0);
    CHECK_FALSE(guide::openPictureFile(fifo)); // no writer: open() must not wait for one
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
