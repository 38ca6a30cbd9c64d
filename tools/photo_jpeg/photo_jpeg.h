#pragma once
// Photographs of any size written by libjpeg straight from generated rows, so
// that a 200 MP photo never exists as a whole picture in memory: four coloured
// quadrants under a grain like a camera sensor's, which keeps the coded size
// near what a camera's photo of that size costs (a flat picture codes in next
// to nothing). Every coding libjpeg-turbo writes: baseline, progressive,
// arithmetic, 4:2:0, 4:2:2, 4:4:4, grey, CMYK and YCCK, restart intervals.
// No toolkit: the core's tests, the fuzzer's seeds and the benchmarks share it.

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace photo_jpeg {

enum class Colour { YCbCr, Grey, Cmyk, Ycck };

struct Photo
{
    int width = 640;
    int height = 480;
    Colour colour = Colour::YCbCr;
    int hSample = 2, vSample = 2; ///< luma sampling: 2 × 2 is 4:2:0, 1 × 1 is 4:4:4
    bool progressive = false;
    bool arithmetic = false;
    bool optimize = false;
    int quality = 90;
    int restartRows = 0; ///< a restart marker every this many MCU rows; 0 for none
    int grain = 6;       ///< largest change to a channel, either way; 0 for flat quadrants
    /// top-left, top-right, bottom-left, bottom-right, as RGB
    std::array<std::array<unsigned char, 3>, 4> colours{
        {{220, 0, 0}, {0, 0, 220}, {0, 200, 0}, {230, 230, 0}}};
};

namespace detail {

inline std::uint32_t next(std::uint32_t &state)
{
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

inline unsigned char clamp(int v) { return (unsigned char)(v < 0 ? 0 : v > 255 ? 255 : v); }

} // namespace detail

/// Writes the photo to `file`; false if it cannot be written. libjpeg's default
/// error handler ends the process on an encoder error, which in a test or a
/// benchmark is a failure too.
inline bool write(std::FILE *file, const Photo &p)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = JDIMENSION(p.width);
    info.image_height = JDIMENSION(p.height);
    const bool grey = p.colour == Colour::Grey;
    const bool cmyk = p.colour == Colour::Cmyk || p.colour == Colour::Ycck;
    info.input_components = grey ? 1 : cmyk ? 4 : 3;
    info.in_color_space = grey ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&info);
    if (p.colour == Colour::Ycck)
        jpeg_set_colorspace(&info, JCS_YCCK);
    jpeg_set_quality(&info, p.quality, TRUE);
    if (!grey) {
        info.comp_info[0].h_samp_factor = p.hSample;
        info.comp_info[0].v_samp_factor = p.vSample;
        if (p.colour == Colour::Ycck) { // K as luma, at full resolution
            info.comp_info[3].h_samp_factor = p.hSample;
            info.comp_info[3].v_samp_factor = p.vSample;
        }
    }
    info.arith_code = p.arithmetic ? TRUE : FALSE;
    info.optimize_coding = p.optimize && !p.arithmetic ? TRUE : FALSE;
    info.restart_in_rows = p.restartRows;
    if (p.progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);

    const int channels = info.input_components;
    std::vector<unsigned char> row(std::size_t(p.width) * std::size_t(channels));
    std::uint32_t state = 0x9E3779B9u;
    while (info.next_scanline < info.image_height) {
        const int y = int(info.next_scanline);
        for (int x = 0; x < p.width; ++x) {
            const auto &rgb = p.colours[(y < p.height / 2 ? 0 : 2) + (x < p.width / 2 ? 0 : 1)];
            unsigned char *out = &row[std::size_t(x) * std::size_t(channels)];
            const std::uint32_t r = p.grain ? detail::next(state) : 0;
            const auto noisy = [&](int value, int shift) {
                return detail::clamp(
                    value + (p.grain ? int((r >> shift) & 0xFF) % (2 * p.grain + 1) - p.grain : 0));
            };
            if (grey) {
                out[0] = noisy((rgb[0] * 3 + rgb[1] * 6 + rgb[2]) / 10, 0);
            } else if (cmyk) { // Adobe's inverted CMYK, as libjpeg takes it
                const int k = std::max({rgb[0], rgb[1], rgb[2]});
                out[0] = noisy(k ? rgb[0] * 255 / k : 0, 0);
                out[1] = noisy(k ? rgb[1] * 255 / k : 0, 8);
                out[2] = noisy(k ? rgb[2] * 255 / k : 0, 16);
                out[3] = noisy(k, 24);
            } else {
                out[0] = noisy(rgb[0], 0);
                out[1] = noisy(rgb[1], 8);
                out[2] = noisy(rgb[2], 16);
            }
        }
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return !std::ferror(file);
}

inline bool write(const std::string &path, const Photo &p)
{
    std::FILE *file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool written = write(file, p);
    return std::fclose(file) == 0 && written;
}

} // namespace photo_jpeg
