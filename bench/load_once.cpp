// Loads one picture as the program does and says what it cost: CPU seconds
// of the load (this process's user and system time around it), its wall
// seconds, whether it showed, why not, the scale libjpeg decoded at and the
// bytes of the picture itself (what earns its budgets). Peak memory is taken
// from outside (/usr/bin/time). No toolkit: the core alone, so it builds for
// Windows too, where bench/same_verdicts.sh runs it under wine.
//
//   load_once FILE [WIDTHxHEIGHT]

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/resource.h>
#endif

#include <chrono>
#include <cstdio>
#include <filesystem>

#include "core/jpeg_decoder.h"
#include "core/picture_file.h"
#include "core/picture_loader.h"

namespace {

double cpuSeconds()
{
#ifdef _WIN32
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
        return 0;
    const auto seconds = [](FILETIME t) {
        return double(std::uint64_t(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
#else
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
#endif
}

} // namespace

int main(int argc, char *argv[])
{
    guide::Size frame{328, 247};
    if (argc < 2 || (argc > 2 && std::sscanf(argv[2], "%dx%d", &frame.width, &frame.height) != 2)) {
        std::fprintf(stderr, "usage: load_once FILE [WIDTHxHEIGHT]\n");
        return 2;
    }
    // The loader takes absolute paths only, as the program's own are.
    const std::filesystem::path path = std::filesystem::absolute(argv[1]);
    const auto began = std::chrono::steady_clock::now();
    const double start = cpuSeconds();
    const guide::Picture picture = guide::loadPicture(path, frame);
    const double cpu = cpuSeconds() - start;
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - began;
    // The same file once more through the decoder alone, for its scale and verdict.
    const guide::PictureFile file = guide::openPictureFile(path);
    const guide::JpegPicture decoded =
        file ? guide::decodeJpeg(file.fd(), file.size(), frame) : guide::JpegPicture{};
    const long long picturePixels = decoded.image.isNull() ? 0 : decoded.cost.outputPixels;
    std::printf("cpu %.4f shown %d failure %d decoded %dx%d pixels %lld wall %.4f picture %lld\n",
                cpu, picture.isNull() ? 0 : 1, int(decoded.failure), decoded.image.width,
                decoded.image.height, picturePixels, wall.count(),
                static_cast<long long>(decoded.cost.pictureBytes));
    return 0;
}
