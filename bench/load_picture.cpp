// Times the picture loader alone on each file given, at the frame's size at
// scale factor 1: the median of RUNS loads, in milliseconds, one line a file
// ("FILE MEDIAN_MS SHOWN", SHOWN being 1 for a picture and 0 for a refusal).
//
//   load_picture RUNS FILE...

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "core/picture_loader.h"

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: load_picture RUNS FILE...\n");
        return 2;
    }
    const int runs = std::max(1, QByteArray(argv[1]).toInt());
    const guide::Size frame{328, 247};
    for (int i = 2; i < argc; ++i) {
        std::vector<double> times;
        bool shown = false;
        for (int run = 0; run < runs; ++run) {
            QElapsedTimer timer;
            timer.start();
            shown = !guide::loadPicture(std::filesystem::absolute(argv[i]), frame).isNull();
            times.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
        std::sort(times.begin(), times.end());
        const double median =
            runs % 2 ? times[runs / 2] : (times[runs / 2 - 1] + times[runs / 2]) / 2;
        std::printf("%s %.3f %d\n", argv[i], median, shown ? 1 : 0);
    }
    return 0;
}
