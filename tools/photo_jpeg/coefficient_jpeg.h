#pragma once
// Files written by libjpeg's encoder from coefficients chosen here rather
// than from pixels: what a hostile file would hold (the largest differences in
// every block, a progression sent twice), and smooth photographs of any size
// in a second, without a forward DCT. The encoder codes what it is given, so
// each file is a valid stream of exactly the scans in its script.

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace coefficient_jpeg {

/// One scan of a script: components (indices), band Ss..Se, bits Ah, Al.
struct Scan
{
    std::vector<int> components;
    int ss = 0, se = 63, ah = 0, al = 0;
};

struct Picture
{
    int width = 256;
    int height = 256;
    int components = 3;           ///< 1 (grey), 3 (YCbCr) or 4 (CMYK)
    int hSample = 2, vSample = 2; ///< the first component's; the others are 1 × 1
    bool arithmetic = false;
    bool progressive = false;
    /// Empty: one interleaved sequential scan, or libjpeg's own progressive script.
    std::vector<Scan> scans;
    int restartRows = 0;
    /// Quantised coefficient k (zig-zag order) of block (bx, by) of component c.
    std::function<int(int c, int bx, int by, int k)> coefficient = [](int, int, int, int) {
        return 0;
    };
    int lastTerm = 63; ///< the terms after it are 0, without asking
};

namespace detail {

inline int roundUp(int n, int to) { return (n + to - 1) / to * to; }

/// The block position of the k-th coefficient in zig-zag order.
inline constexpr int kNaturalOrder[64] = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

} // namespace detail

/// Writes the picture to `file`; false if libjpeg could not (its default error
/// handler ends the process on an encoder error, which in a test is a failure).
inline bool write(std::FILE *file, const Picture &p)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = JDIMENSION(p.width);
    info.image_height = JDIMENSION(p.height);
    info.input_components = p.components;
    info.in_color_space = p.components == 1 ? JCS_GRAYSCALE : p.components == 4 ? JCS_CMYK : JCS_YCbCr;
    jpeg_set_defaults(&info);
    // Every quantiser 1: the coefficients are the file's values as given.
    std::vector<unsigned> ones(64, 1);
    for (int t = 0; t < 2; ++t)
        jpeg_add_quant_table(&info, t, ones.data(), 100, FALSE);
    for (int c = 0; c < p.components; ++c) {
        info.comp_info[c].h_samp_factor = c == 0 ? p.hSample : 1;
        info.comp_info[c].v_samp_factor = c == 0 ? p.vSample : 1;
    }
    info.arith_code = p.arithmetic ? TRUE : FALSE;
    info.optimize_coding = p.arithmetic ? FALSE : TRUE;
    info.restart_in_rows = p.restartRows;
    std::vector<jpeg_scan_info> script;
    if (!p.scans.empty()) {
        for (const Scan &s : p.scans) {
            jpeg_scan_info scan{};
            scan.comps_in_scan = int(s.components.size());
            for (std::size_t i = 0; i < s.components.size(); ++i)
                scan.component_index[i] = s.components[i];
            scan.Ss = s.ss, scan.Se = s.se, scan.Ah = s.ah, scan.Al = s.al;
            script.push_back(scan);
        }
        info.scan_info = script.data();
        info.num_scans = int(script.size());
    } else if (p.progressive) {
        jpeg_simple_progression(&info);
    }

    const int hMax = p.components == 1 ? 1 : p.hSample, vMax = p.components == 1 ? 1 : p.vSample;
    std::vector<jvirt_barray_ptr> arrays(std::size_t(p.components));
    std::vector<int> wide(arrays.size()), high(arrays.size());
    for (int c = 0; c < p.components; ++c) {
        const int h = info.comp_info[c].h_samp_factor, v = info.comp_info[c].v_samp_factor;
        wide[c] = (p.width * h / hMax + 7) / 8;
        high[c] = (p.height * v / vMax + 7) / 8;
        arrays[c] = info.mem->request_virt_barray(
            reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE, TRUE,
            JDIMENSION(detail::roundUp(wide[c], h)), JDIMENSION(detail::roundUp(high[c], v)),
            JDIMENSION(v));
    }
    jpeg_write_coefficients(&info, arrays.data());
    for (int c = 0; c < p.components; ++c) {
        const int v = info.comp_info[c].v_samp_factor;
        const int rows = detail::roundUp(high[c], v), columns = detail::roundUp(wide[c], info.comp_info[c].h_samp_factor);
        for (int y = 0; y < rows; y += v) {
            JBLOCKARRAY blocks = info.mem->access_virt_barray(
                reinterpret_cast<j_common_ptr>(&info), arrays[c], JDIMENSION(y), JDIMENSION(v), TRUE);
            for (int dy = 0; dy < v; ++dy)
                for (int x = 0; x < columns; ++x)
                    for (int k = 0; k <= p.lastTerm && y + dy < high[c] && x < wide[c]; ++k)
                        blocks[dy][x][detail::kNaturalOrder[k]] = JCOEF(p.coefficient(c, x, y + dy, k));
        }
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return !std::ferror(file);
}

/// A smooth photograph: photo_jpeg's four quadrants (red, blue, green and
/// yellow) in the DC terms, under light that falls off gently across the
/// scene, and a sparse texture of ±1 in the five lowest AC terms, one term in
/// `texture` per 1000 of them: about what a smooth photograph at quality 90
/// spends, 1 to 2 bytes a block, made without a DCT.
inline Picture smoothPhoto(int width, int height, int components, int sampling, int texture)
{
    Picture p;
    p.width = width;
    p.height = height;
    p.components = components;
    p.hSample = p.vSample = sampling;
    p.progressive = true;
    p.lastTerm = 5;
    const int scale = components == 1 ? 1 : sampling; // pixels a chroma block spans, over 8
    p.coefficient = [=](int c, int bx, int by, int k) {
        if (k == 0) {
            const int step = c == 0 ? 8 : 8 * scale;
            const int x = bx * step, y = by * step;
            static constexpr int kRgb[4][3] = {{220, 0, 0}, {0, 0, 220}, {0, 200, 0}, {230, 230, 0}};
            const int *rgb = kRgb[(y < height / 2 ? 0 : 2) + (x < width / 2 ? 0 : 1)];
            const double r = rgb[0], g = rgb[1], b = rgb[2];
            const double value = c == 0   ? 0.299 * r + 0.587 * g + 0.114 * b
                                 : c == 1 ? -0.1687 * r - 0.3313 * g + 0.5 * b + 128
                                          : 0.5 * r - 0.4187 * g - 0.0813 * b + 128;
            const double light = c == 0 ? 12.0 * (x + y) / (width + height) : 0.0;
            return int((value - light - 128) * 8);
        }
        if (k > 5)
            return 0;
        std::uint32_t h = std::uint32_t(bx) * 0x9E3779B1u ^ std::uint32_t(by) * 0x85EBCA77u ^
                          std::uint32_t(c * 64 + k) * 0xC2B2AE3Du;
        h ^= h >> 15;
        h *= 0x2C1B3C6Du;
        h ^= h >> 12;
        if (int(h % 1000) >= texture)
            return 0;
        return (h >> 20 & 1) ? 1 : -1;
    };
    return p;
}

inline bool write(const std::string &path, const Picture &p)
{
    std::FILE *file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool written = write(file, p);
    return std::fclose(file) == 0 && written;
}

} // namespace coefficient_jpeg
