// Every real photo shows: photographs of 12 to 200 MP written by libjpeg under
// a sensor-like grain (tools/photo_jpeg/photo_jpeg.h), baseline and progressive at 4:2:0
// and 4:4:4, arithmetic up to 48 MP, CMYK and YCCK, each decoded at the scale
// the frame needs and turned the right way. Each file is made once, here, in
// a temporary folder; the benchmarks measure their time and memory.

#include <string>

#include <doctest/doctest.h>

#include "core/jpeg_decoder.h"
#include "core/picture_limits.h"
#include "jpeg_test_files.h"

// A check with what it was about, built as a string.
#define EXPECT(condition, detail) CHECK_MESSAGE((condition), (detail))

namespace fs = std::filesystem;
using guide::JpegFailure;
using namespace test_files;

namespace {

struct Case
{
    const char *name;
    int width, height;
    bool progressive = false, arithmetic = false, full444 = false;
    photo_jpeg::Colour colour = photo_jpeg::Colour::YCbCr;
    int grain = 8; ///< about 5 bytes a block at 4:2:0, as phones write; 4 is a smooth scene
};

void shows(const fs::path &folder, const Case &c, guide::Size frame)
{
    photo_jpeg::Photo p;
    p.width = c.width;
    p.height = c.height;
    p.progressive = c.progressive;
    p.arithmetic = c.arithmetic;
    p.colour = c.colour;
    p.grain = c.grain;
    if (c.full444 || c.colour == photo_jpeg::Colour::Cmyk)
        p.hSample = p.vSample = 1;
    const fs::path path = folder / "large.jpg";
    EXPECT(photo_jpeg::write(path.string(), p), c.name);
    const guide::PictureFile file = guide::openPictureFile(path);
    const guide::JpegPicture decoded = guide::decodeJpeg(file.fd(), file.size(), frame);
    const std::string what = std::string(c.name) + " for " + std::to_string(frame.width) + " x " +
                             std::to_string(frame.height);
    EXPECT(decoded.failure == JpegFailure::None, what + ": " + name(decoded.failure));
    // The smallest of 1/8, 1/4, 1/2 and 1 that covers the frame.
    EXPECT(decoded.image.width >= frame.width && decoded.image.height >= frame.height &&
               (decoded.image.width < 2 * frame.width || decoded.image.width <= (c.width + 7) / 8),
           what + ": decoded at " + std::to_string(decoded.image.width));
    if (c.colour != photo_jpeg::Colour::Cmyk && c.colour != photo_jpeg::Colour::Ycck)
        EXPECT(layout(decoded.image) == "RBGY", what + ": " + layout(decoded.image));
    else
        EXPECT(!decoded.image.isNull(), what);
    fs::remove(path);
}

} // namespace

TEST_CASE("every real photo class shows")
{
    TempDir folder;
    const Case cases[] = {
        {"12 MP baseline", 4000, 3000},
        {"12 MP progressive", 4000, 3000, true},
        {"12 MP progressive 4:4:4", 4000, 3000, true, false, true},
        {"12 MP arithmetic", 4000, 3000, false, true},
        {"12 MP arithmetic progressive", 4000, 3000, true, true},
        {"12 MP CMYK", 4000, 3000, false, false, false, photo_jpeg::Colour::Cmyk},
        {"12 MP YCCK progressive", 4000, 3000, true, false, false, photo_jpeg::Colour::Ycck},
        {"48 MP progressive 4:4:4", 8160, 6120, true, false, true},
        // Under 2 bytes a block: its coefficients need 72 bytes a byte of file.
        {"24 MP smooth progressive 4:4:4", 6000, 4000, true, false, true,
         photo_jpeg::Colour::YCbCr, 4},
        {"48 MP arithmetic progressive", 8000, 6000, true, true},
        {"200 MP progressive", 16320, 12240, true},
    };
    for (const Case &c : cases)
        shows(folder.path, c, {328, 247});
    // At twice the pixels a side (a screen scaled by 2), a smaller photo is
    // decoded at a larger scale.
    shows(folder.path, {"12 MP progressive", 4000, 3000, true}, {656, 494});
}
