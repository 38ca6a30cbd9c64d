// Writes one photograph of tools/photo_jpeg/photo_jpeg.h, for the benchmarks and the
// fuzzer's seeds.
//
//   write_photo OUT WIDTHxHEIGHT [progressive] [arithmetic] [optimize] [444|422|grey|cmyk|ycck]
//               [q=QUALITY] [grain=N] [restart=ROWS]

#include "photo_jpeg.h"

#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char **argv)
{
    photo_jpeg::Photo p;
    if (argc < 3 || std::sscanf(argv[2], "%dx%d", &p.width, &p.height) != 2) {
        std::fprintf(stderr, "usage: write_photo OUT WIDTHxHEIGHT [options]\n");
        return 2;
    }
    for (int i = 3; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "progressive")
            p.progressive = true;
        else if (a == "arithmetic")
            p.arithmetic = true;
        else if (a == "optimize")
            p.optimize = true;
        else if (a == "444")
            p.hSample = p.vSample = 1;
        else if (a == "422")
            p.hSample = 2, p.vSample = 1;
        else if (a == "grey")
            p.colour = photo_jpeg::Colour::Grey;
        else if (a == "cmyk")
            p.colour = photo_jpeg::Colour::Cmyk, p.hSample = p.vSample = 1;
        else if (a == "ycck")
            p.colour = photo_jpeg::Colour::Ycck;
        else if (a.rfind("q=", 0) == 0)
            p.quality = std::stoi(a.substr(2));
        else if (a.rfind("grain=", 0) == 0)
            p.grain = std::stoi(a.substr(6));
        else if (a.rfind("restart=", 0) == 0)
            p.restartRows = std::stoi(a.substr(8));
        else {
            std::fprintf(stderr, "unknown option %s\n", argv[i]);
            return 2;
        }
    }
    return photo_jpeg::write(argv[1], p) ? 0 : 1;
}
