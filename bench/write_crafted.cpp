// Writes one file from chosen coefficients (tools/photo_jpeg/coefficient_jpeg.h) for
// the loader's budgets: smooth photographs that come in under 1 MiB, and files
// that cost the decoder far more than their bytes.
//
//   write_crafted OUT smooth WxH grey|420|444 [arithmetic]
//       a smooth progressive photograph, 1 to 2 bytes a block
//   write_crafted OUT repeated-dc WxH REPEATS
//       arithmetic progressive flat grey, its one DC scan (to the last bit, a
//       few bytes) sent REPEATS more times
//   write_crafted OUT band-walk WxH PASSES
//       arithmetic progressive grey whose blocks hold only their last
//       coefficient: a DC scan, an AC scan at bit PASSES - 1 and its
//       refinements, each a walk over the whole band at next to no bytes
//       (PASSES up to 11, libjpeg's most)
//   write_crafted OUT flat WxH sequential|progressive [arithmetic] [trailing=BYTES]
//       a flat grey 64 × 64 picture declaring WxH, its data a few bytes, with
//       BYTES of zeros after its end marker
//   write_crafted OUT dc WxH [trailing=BYTES]
//       Huffman progressive flat grey of WxH whose DC scan spends a bit on
//       each block, the least Huffman coding can (WxH / 512 bytes), with BYTES
//       of zeros after its end marker

#include "coefficient_jpeg.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace {

using Bytes = std::string;

Bytes written(const coefficient_jpeg::Picture &p, const std::string &path)
{
    if (!coefficient_jpeg::write(path, p))
        std::exit(1);
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void save(const std::string &path, const Bytes &bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), std::streamsize(bytes.size()));
}

// The bytes with other dimensions in the frame header (the first SOFn).
Bytes withSize(Bytes bytes, int width, int height)
{
    for (std::size_t at = 2; at + 9 <= bytes.size();) {
        const int marker = static_cast<unsigned char>(bytes[at + 1]);
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
            bytes.replace(at + 5, 4,
                          Bytes{char(height >> 8), char(height & 0xFF), char(width >> 8),
                                char(width & 0xFF)});
            break;
        }
        at += 2 + std::size_t(static_cast<unsigned char>(bytes[at + 2]) << 8 |
                              static_cast<unsigned char>(bytes[at + 3]));
    }
    return bytes;
}

// The first scan, header and data, sent `times` more times right after itself.
Bytes repeatFirstScan(const Bytes &bytes, int times)
{
    const std::size_t sos = bytes.find("\xFF\xDA");
    std::size_t end = sos + 2 +
                      std::size_t(static_cast<unsigned char>(bytes[sos + 2]) << 8 |
                                  static_cast<unsigned char>(bytes[sos + 3]));
    while (end + 1 < bytes.size() &&
           (static_cast<unsigned char>(bytes[end]) != 0xFF || bytes[end + 1] == 0))
        ++end;
    Bytes out = bytes.substr(0, end);
    for (int i = 0; i < times; ++i)
        out += bytes.substr(sos, end - sos);
    return out + bytes.substr(end);
}

} // namespace

int main(int argc, char **argv)
{
    int width = 0, height = 0;
    if (argc < 4 || std::sscanf(argv[3], "%dx%d", &width, &height) != 2) {
        std::fprintf(stderr, "usage: write_crafted OUT KIND WxH ...\n");
        return 2;
    }
    const std::string out = argv[1], kind = argv[2];
    const auto has = [&](const char *option) {
        for (int i = 4; i < argc; ++i)
            if (std::string(argv[i]) == option)
                return true;
        return false;
    };
    if (kind == "smooth" && argc >= 5) {
        const std::string sampling = argv[4];
        coefficient_jpeg::Picture p = coefficient_jpeg::smoothPhoto(
            width, height, sampling == "grey" ? 1 : 3, sampling == "420" ? 2 : 1, 300);
        p.arithmetic = has("arithmetic");
        written(p, out);
        return 0;
    }
    coefficient_jpeg::Picture p;
    p.width = width;
    p.height = height;
    p.components = 1;
    p.arithmetic = true;
    p.progressive = true;
    if (kind == "repeated-dc" && argc >= 5) {
        p.scans = {{{0}, 0, 0, 0, 0}};
        save(out, repeatFirstScan(written(p, out), std::atoi(argv[4])));
        return 0;
    }
    if (kind == "band-walk" && argc >= 5) {
        const int passes = std::atoi(argv[4]);
        p.scans = {{{0}, 0, 0, 0, 0}, {{0}, 1, 63, 0, passes - 1}};
        for (int a = passes - 1; a > 0; --a)
            p.scans.push_back({{0}, 1, 63, a, a - 1});
        p.coefficient = [passes](int, int, int, int k) { return k == 63 ? 1 << (passes - 1) : 0; };
        written(p, out);
        return 0;
    }
    std::size_t trailing = 0;
    for (int i = 4; i < argc; ++i)
        if (std::string(argv[i]).rfind("trailing=", 0) == 0)
            trailing = std::stoull(std::string(argv[i]).substr(9));
    if (kind == "flat") {
        p.width = p.height = 64;
        p.arithmetic = has("arithmetic");
        p.progressive = has("progressive");
        if (p.progressive)
            p.scans = {{{0}, 0, 0, 0, 0}, {{0}, 1, 63, 0, 0}};
        save(out, withSize(written(p, out), width, height) + Bytes(trailing, '\0'));
        return 0;
    }
    if (kind == "dc") {
        p.arithmetic = false;
        p.scans = {{{0}, 0, 0, 0, 0}, {{0}, 1, 63, 0, 0}};
        p.lastTerm = 0;
        save(out, written(p, out) + Bytes(trailing, '\0'));
        return 0;
    }
    std::fprintf(stderr, "unknown kind %s\n", kind.c_str());
    return 2;
}
