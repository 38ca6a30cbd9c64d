// Pictures: made, stretched and turned upright without any toolkit.
//
// Stretching is separable: a row pass, then a column pass, each output pixel
// a weighted sum of the input pixels under it. Shrinking weighs each input
// pixel by the part of it the output pixel covers (a box), which keeps fine
// detail from aliasing; growing weighs the two nearest by distance (a tent).

#include "core/picture.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <new>

namespace guide {

namespace {

// The input pixels one output pixel draws from, and their weights (sum 1).
struct Taps
{
    int first = 0;
    std::vector<float> weights;
};

std::vector<Taps> tapsFor(int from, int to)
{
    std::vector<Taps> taps(static_cast<std::size_t>(to));
    const double scale = double(from) / to;
    for (int i = 0; i < to; ++i) {
        Taps &t = taps[std::size_t(i)];
        if (scale >= 1) {
            const double lo = i * scale, hi = (i + 1) * scale;
            t.first = int(lo);
            const int last = std::min(from - 1, int(std::ceil(hi)) - 1);
            for (int j = t.first; j <= last; ++j)
                t.weights.push_back(
                    float((std::min<double>(j + 1, hi) - std::max<double>(j, lo)) / scale));
        } else {
            const double x = std::clamp((i + 0.5) * scale - 0.5, 0.0, double(from - 1));
            t.first = std::min(int(x), std::max(from - 2, 0));
            const float f = float(x - t.first);
            t.weights = from > 1 ? std::vector<float>{1 - f, f} : std::vector<float>{1};
        }
    }
    return taps;
}

using Channels = std::array<float, 3>;

Channels channels(std::uint32_t p)
{
    return {float((p >> 16) & 0xff), float((p >> 8) & 0xff), float(p & 0xff)};
}

std::uint32_t pack(const Channels &c)
{
    const auto byte = [](float v) { return std::uint32_t(std::clamp(v + 0.5f, 0.0f, 255.0f)); };
    return 0xff000000u | byte(c[0]) << 16 | byte(c[1]) << 8 | byte(c[2]);
}

} // namespace

Picture makePicture(Size size)
{
    Picture p;
    if (size.isEmpty())
        return p;
    try {
        p.pixels.assign(std::size_t(size.width) * std::size_t(size.height), 0xff000000u);
    } catch (const std::bad_alloc &) {
        return {};
    }
    p.width = size.width;
    p.height = size.height;
    return p;
}

namespace {

// One pass of the stretch, along one axis: an `out` of outW × outH from
// whatever `read(x, y)` gives, `across` the rows or down the columns.
template <typename Read>
std::vector<Channels> stretch(int outW, int outH, const std::vector<Taps> &taps, bool across,
                              Read read)
{
    std::vector<Channels> out(std::size_t(outW) * std::size_t(outH));
    for (int y = 0; y < outH; ++y) {
        for (int x = 0; x < outW; ++x) {
            const Taps &t = taps[std::size_t(across ? x : y)];
            Channels sum{};
            for (std::size_t k = 0; k < t.weights.size(); ++k) {
                const Channels c = across ? read(t.first + int(k), y) : read(x, t.first + int(k));
                for (int ch = 0; ch < 3; ++ch)
                    sum[ch] += c[ch] * t.weights[k];
            }
            out[std::size_t(y) * std::size_t(outW) + std::size_t(x)] = sum;
        }
    }
    return out;
}

} // namespace

Picture scaleSmoothly(const Picture &from, Size to)
{
    if (from.isNull() || to.isEmpty())
        return {};
    if (from.size() == to)
        return from;
    const std::vector<Taps> across = tapsFor(from.width, to.width);
    const std::vector<Taps> down = tapsFor(from.height, to.height);
    const auto pixels = [&from](int x, int y) { return channels(from.pixel(x, y)); };

    // The axis that shrinks more goes first, so the picture between the passes
    // is the smaller of the two ways round: a thin picture 41 × 8188 pixels
    // goes to 41 × 247 first, not to 328 × 8188.
    const bool rowsFirst =
        std::int64_t{to.width} * from.height <= std::int64_t{from.width} * to.height;
    std::vector<Channels> stretched;
    if (rowsFirst) {
        const std::vector<Channels> mid = stretch(to.width, from.height, across, true, pixels);
        stretched = stretch(to.width, to.height, down, false, [&mid, &to](int x, int y) {
            return mid[std::size_t(y) * std::size_t(to.width) + std::size_t(x)];
        });
    } else {
        const std::vector<Channels> mid = stretch(from.width, to.height, down, false, pixels);
        stretched = stretch(to.width, to.height, across, true, [&mid, &from](int x, int y) {
            return mid[std::size_t(y) * std::size_t(from.width) + std::size_t(x)];
        });
    }
    Picture result = makePicture(to);
    if (result.isNull())
        return {};
    std::transform(stretched.begin(), stretched.end(), result.pixels.begin(), pack);
    return result;
}

Picture applyOrientation(const Picture &from, int orientation)
{
    if (from.isNull() || orientation < 2 || orientation > 8)
        return from;
    // Where the stored pixel (x, y) lands: mirror or flip first, then turn a
    // quarter clockwise where the tag says so (5 to 8).
    const bool quarter = orientation >= 5;
    const Size size = quarter ? from.size().transposed() : from.size();
    Picture to = makePicture(size);
    if (to.isNull())
        return {};
    const int w = from.width, h = from.height;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            int tx = x, ty = y;
            switch (orientation) {
            case 2:
                tx = w - 1 - x;
                break;
            case 3:
                tx = w - 1 - x;
                ty = h - 1 - y;
                break;
            case 4:
                ty = h - 1 - y;
                break;
            case 5:
                tx = y;
                ty = x;
                break; // flipped, then turned clockwise
            case 6:
                tx = h - 1 - y;
                ty = x;
                break; // turned clockwise
            case 7:
                tx = h - 1 - y;
                ty = w - 1 - x;
                break; // mirrored, then turned clockwise
            case 8:
                tx = y;
                ty = w - 1 - x;
                break; // turned anticlockwise
            default:
                break;
            }
            to.pixels[std::size_t(ty) * size.width + tx] = from.pixels[std::size_t(y) * w + x];
        }
    }
    return to;
}

} // namespace guide
