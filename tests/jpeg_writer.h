#pragma once
// Large JPEG files for tests, written by libjpeg straight from generated rows,
// so a 200 MP photo never exists as a whole picture in memory: four coloured
// quadrants, baseline or progressive, 4:2:0 or 4:4:4.

#include <QString>

#include <array>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

namespace test_pictures {

struct QuadrantJpeg
{
    int width = 0;
    int height = 0;
    bool progressive = false;
    bool full444 = false; ///< no chroma subsampling
    std::array<std::array<unsigned char, 3>, 4>
        colours{}; ///< top-left, top-right, bottom-left, bottom-right
};

/// Writes the picture to `path`; false if the file cannot be written. libjpeg's
/// default error handler ends the process on an encoder error, which in a test
/// is a failure too.
inline bool writeQuadrantJpeg(const QString &path, const QuadrantJpeg &q, int quality = 90)
{
    std::FILE *file = std::fopen(path.toLocal8Bit().constData(), "wb");
    if (!file)
        return false;
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = JDIMENSION(q.width);
    info.image_height = JDIMENSION(q.height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    if (q.full444)
        info.comp_info[0].h_samp_factor = info.comp_info[0].v_samp_factor = 1;
    if (q.progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> top(std::size_t(q.width) * 3), bottom(top.size());
    for (int x = 0; x < q.width; ++x)
        for (int c = 0; c < 3; ++c) {
            top[std::size_t(x) * 3 + c] = q.colours[x < q.width / 2 ? 0 : 1][c];
            bottom[std::size_t(x) * 3 + c] = q.colours[x < q.width / 2 ? 2 : 3][c];
        }
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = int(info.next_scanline) < q.height / 2 ? top.data() : bottom.data();
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return std::fclose(file) == 0;
}

} // namespace test_pictures
