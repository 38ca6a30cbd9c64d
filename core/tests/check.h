#pragma once
// A test program's checks, without a framework: each failed check prints
// where and what, and the program's exit status says whether any failed.
// Each program ends with a line CTest's log and a person can read:
// "N passed, N failed".

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace check {

inline int passed = 0;
inline int failed = 0;

inline bool that(bool ok, const char *what, const std::string &detail, const char *file, int line)
{
    if (ok) {
        ++passed;
    } else {
        ++failed;
        std::fprintf(stderr, "%s:%d: FAILED %s%s%s\n", file, line, what, detail.empty() ? "" : ": ",
                     detail.c_str());
    }
    return ok;
}

inline int report()
{
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}

/// A folder of its own under the system's temporary folder, removed with the object.
struct TempDir
{
    std::filesystem::path path;
    TempDir()
    {
        std::string name =
            (std::filesystem::temp_directory_path() / "mirteka-test-XXXXXX").string();
        if (!::mkdtemp(name.data())) {
            std::perror("mkdtemp");
            std::exit(2);
        }
        path = name;
    }
    ~TempDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

} // namespace check

#define CHECK(condition) check::that((condition), #condition, {}, __FILE__, __LINE__)
#define CHECK_MSG(condition, detail)                                                               \
    check::that((condition), #condition, (detail), __FILE__, __LINE__)
