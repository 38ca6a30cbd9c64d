// Pictures without a toolkit: stretching to the frame and turning upright by
// each EXIF orientation; and twips into pixels.

#include "core/picture.h"

#include <doctest/doctest.h>

#include "core/twips.h"

using guide::Picture;

namespace {

constexpr std::uint32_t kRed = 0xffff0000u, kGreen = 0xff00ff00u, kBlue = 0xff0000ffu,
                        kYellow = 0xffffff00u;

// Four quadrants: red top left, green top right, blue bottom left, yellow bottom right.
Picture quadrants(int w, int h)
{
    Picture p = guide::makePicture({w, h});
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            p.pixels[std::size_t(y) * w + x] =
                y < h / 2 ? (x < w / 2 ? kRed : kGreen) : (x < w / 2 ? kBlue : kYellow);
    return p;
}

int channel(std::uint32_t p, int shift) { return int((p >> shift) & 0xff); }

} // namespace

TEST_CASE("stretching keeps flat areas exact and lands on the exact size")
{
    for (const guide::Size to : {guide::Size{328, 247}, guide::Size{37, 5}, guide::Size{900, 700},
                                 guide::Size{1, 1}}) {
        CAPTURE(to.width);
        CAPTURE(to.height);
        const Picture flat = [] {
            Picture p = guide::makePicture({500, 375});
            for (auto &px : p.pixels)
                px = 0xff336699u;
            return p;
        }();
        const Picture out = guide::scaleSmoothly(flat, to);
        REQUIRE(out.size() == to);
        for (const std::uint32_t px : out.pixels)
            REQUIRE(px == 0xff336699u);
    }
}

TEST_CASE("shrinking averages what each pixel covers; growing blends neighbours")
{
    // A fine checkerboard of black and white shrinks to grey, not to stripes.
    Picture board = guide::makePicture({64, 64});
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            board.pixels[std::size_t(y) * 64 + x] = (x + y) % 2 ? 0xffffffffu : 0xff000000u;
    const Picture grey = guide::scaleSmoothly(board, {16, 16});
    for (const std::uint32_t px : grey.pixels)
        for (int shift : {0, 8, 16})
            REQUIRE(std::abs(channel(px, shift) - 128) <= 1);

    // Quadrants keep their places at any size, and the corners keep their colours.
    for (const guide::Size to : {guide::Size{328, 247}, guide::Size{10, 6}}) {
        const Picture q = guide::scaleSmoothly(quadrants(640, 480), to);
        CHECK(q.pixel(0, 0) == kRed);
        CHECK(q.pixel(to.width - 1, 0) == kGreen);
        CHECK(q.pixel(0, to.height - 1) == kBlue);
        CHECK(q.pixel(to.width - 1, to.height - 1) == kYellow);
    }
    // Two pixels grown to eight: a ramp from one to the other.
    Picture two = guide::makePicture({2, 1});
    two.pixels = {0xff000000u, 0xffc8c8c8u};
    const Picture ramp = guide::scaleSmoothly(two, {8, 1});
    CHECK(ramp.pixel(0, 0) == 0xff000000u);
    CHECK(ramp.pixel(7, 0) == 0xffc8c8c8u);
    for (int x = 1; x < 8; ++x)
        CHECK(channel(ramp.pixel(x, 0), 0) >= channel(ramp.pixel(x - 1, 0), 0));
    CHECK(channel(ramp.pixel(3, 0), 0) > 0);
    CHECK(channel(ramp.pixel(4, 0), 0) < 200);
}

TEST_CASE("each EXIF orientation turns the picture upright")
{
    // Stored 3 × 2 pixels numbered 1..6 row by row; what an upright viewer sees.
    Picture stored = guide::makePicture({3, 2});
    for (std::uint32_t i = 0; i < 6; ++i)
        stored.pixels[i] = 0xff000000u | (i + 1);
    struct Case
    {
        int orientation;
        int width, height;
        std::vector<std::uint32_t> upright; // row by row, low bytes only
    };
    const Case cases[] = {
        {1, 3, 2, {1, 2, 3, 4, 5, 6}}, {2, 3, 2, {3, 2, 1, 6, 5, 4}},
        {3, 3, 2, {6, 5, 4, 3, 2, 1}}, {4, 3, 2, {4, 5, 6, 1, 2, 3}},
        {5, 2, 3, {1, 4, 2, 5, 3, 6}}, {6, 2, 3, {4, 1, 5, 2, 6, 3}},
        {7, 2, 3, {6, 3, 5, 2, 4, 1}}, {8, 2, 3, {3, 6, 2, 5, 1, 4}},
    };
    for (const Case &c : cases) {
        CAPTURE(c.orientation);
        const Picture out = guide::applyOrientation(stored, c.orientation);
        REQUIRE(out.width == c.width);
        REQUIRE(out.height == c.height);
        std::vector<std::uint32_t> low;
        for (const std::uint32_t px : out.pixels)
            low.push_back(px & 0xffffffu);
        CHECK(low == c.upright);
    }
    CHECK(guide::applyOrientation(stored, 0).pixels == stored.pixels); // no valid tag
    CHECK(guide::applyOrientation(stored, 9).pixels == stored.pixels);
}

TEST_CASE("twips become pixels in one place, edge by edge")
{
    CHECK(twips::toPixels(15) == 1);
    CHECK(twips::toPixels(7) == 0);
    CHECK(twips::toPixels(8) == 1);
    CHECK(twips::toPixels(-8) == -1);
    CHECK(twips::toPixels(10185) == 679);
    // The photograph's frame.
    CHECK(twips::toPixelRect(5160, 840, 4920, 3705) == twips::Rect{344, 56, 328, 247});
    CHECK(twips::toDeviceRect(5160, 840, 4920, 3705, 2.0) == twips::Rect{688, 112, 656, 494});
    CHECK(twips::toDeviceRect(5160, 840, 4920, 3705, 1.5) == twips::Rect{516, 84, 492, 371});
    // Edges are rounded, not sizes: 16 twips from 7 end at 23, two pixels on.
    CHECK(twips::toPixelRect(7, 7, 16, 16) == twips::Rect{0, 0, 2, 2});
    CHECK(twips::toDeviceThickness(1, 1.0) == 1);
    CHECK(twips::toDeviceThickness(1, 0.5) == 1);
    CHECK(twips::toDeviceThickness(2, 1.5) == 3);
    CHECK(twips::fromDevice(486, 1.0) == 7290);
}
