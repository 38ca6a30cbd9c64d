// Pictures: made, stretched and turned upright without any toolkit.
//
// Stretching is separable: a row pass, then a column pass, each output pixel
// a weighted sum of the input pixels under it. Shrinking weighs each input
// pixel by the part of it the output pixel covers (a box), which keeps fine
// detail from aliasing; growing weighs the two nearest by distance (a tent).
// Weights are whole 256ths, so that red and blue, and green alone, each sum
// in their own 16-bit lane of one 32-bit word without spilling into the next.

#include "core/picture.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace guide {

namespace {

constexpr int kWeightOne = 256;

// The input pixels one output pixel draws from: `count` of them from `first`,
// their weights (summing to kWeightOne) from `weight` on in the flat table.
struct Taps
{
    int first = 0, count = 0;
    std::size_t weight = 0;
};

struct Filter
{
    std::vector<Taps> taps;
    std::vector<std::uint32_t> weights;
};

Filter filterFor(int from, int to)
{
    Filter filter;
    filter.taps.resize(static_cast<std::size_t>(to));
    const double scale = double(from) / to;
    std::vector<double> exact;
    for (int i = 0; i < to; ++i) {
        Taps &t = filter.taps[std::size_t(i)];
        exact.clear();
        if (scale >= 1) {
            const double lo = i * scale, hi = (i + 1) * scale;
            t.first = int(lo);
            const int last = std::min(from - 1, int(std::ceil(hi)) - 1);
            for (int j = t.first; j <= last; ++j)
                exact.push_back((std::min<double>(j + 1, hi) - std::max<double>(j, lo)) / scale);
        } else {
            const double x = std::clamp((i + 0.5) * scale - 0.5, 0.0, double(from - 1));
            t.first = std::min(int(x), std::max(from - 2, 0));
            const double f = x - t.first;
            exact = from > 1 ? std::vector<double>{1 - f, f} : std::vector<double>{1};
        }
        // Rounded to 256ths; what rounding loses or gains goes to the heaviest.
        t.count = int(exact.size());
        t.weight = filter.weights.size();
        int sum = 0;
        std::size_t heaviest = 0;
        for (std::size_t k = 0; k < exact.size(); ++k) {
            const int w = int(std::lround(exact[k] * kWeightOne));
            filter.weights.push_back(std::uint32_t(w));
            sum += w;
            if (exact[k] > exact[heaviest])
                heaviest = k;
        }
        filter.weights[t.weight + heaviest] += std::uint32_t(kWeightOne - sum);
    }
    return filter;
}

// One output pixel: the weighted sum of `count` pixels `step` apart.
std::uint32_t blend(const std::uint32_t *in, std::size_t step, const std::uint32_t *w, int count)
{
    std::uint32_t redBlue = 0, green = 0;
    for (int k = 0; k < count; ++k, in += step) {
        redBlue += (*in & 0x00ff00ffu) * w[k];
        green += (*in & 0x0000ff00u) * w[k];
    }
    // Back to 8 bits a channel, rounded.
    redBlue = ((redBlue + 0x00800080u) >> 8) & 0x00ff00ffu;
    green = ((green + 0x00008000u) >> 8) & 0x0000ff00u;
    return 0xff000000u | redBlue | green;
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

Picture scaleSmoothly(const Picture &from, Size to)
{
    if (from.isNull() || to.isEmpty())
        return {};
    if (from.size() == to)
        return from;
    const Filter across = filterFor(from.width, to.width);
    const Filter down = filterFor(from.height, to.height);

    // The axis that shrinks more goes first, so that the picture between the
    // passes is the smaller of the two ways round: a thin picture decoded at
    // 41 × 8188 goes to 41 × 247 first, not to 328 × 8188.
    if (std::int64_t{to.width} * from.height > std::int64_t{from.width} * to.height) {
        Picture columns = makePicture({from.width, to.height});
        Picture result = makePicture(to);
        if (columns.isNull() || result.isNull())
            return {};
        for (int y = 0; y < to.height; ++y) {
            const Taps &t = down.taps[std::size_t(y)];
            const std::uint32_t *in = &from.pixels[std::size_t(t.first) * from.width];
            std::uint32_t *out = &columns.pixels[std::size_t(y) * from.width];
            for (int x = 0; x < from.width; ++x)
                out[x] = blend(in + x, std::size_t(from.width), &down.weights[t.weight], t.count);
        }
        for (int y = 0; y < to.height; ++y) {
            const std::uint32_t *in = &columns.pixels[std::size_t(y) * from.width];
            std::uint32_t *out = &result.pixels[std::size_t(y) * to.width];
            for (int x = 0; x < to.width; ++x) {
                const Taps &t = across.taps[std::size_t(x)];
                out[x] = blend(in + t.first, 1, &across.weights[t.weight], t.count);
            }
        }
        return result;
    }

    // Rows first: each input row stretched to the output's width.
    Picture rows = makePicture({to.width, from.height});
    Picture result = makePicture(to);
    if (rows.isNull() || result.isNull())
        return {};
    for (int y = 0; y < from.height; ++y) {
        const std::uint32_t *in = &from.pixels[std::size_t(y) * from.width];
        std::uint32_t *out = &rows.pixels[std::size_t(y) * to.width];
        for (int x = 0; x < to.width; ++x) {
            const Taps &t = across.taps[std::size_t(x)];
            out[x] = blend(in + t.first, 1, &across.weights[t.weight], t.count);
        }
    }
    for (int y = 0; y < to.height; ++y) {
        const Taps &t = down.taps[std::size_t(y)];
        const std::uint32_t *in = &rows.pixels[std::size_t(t.first) * to.width];
        std::uint32_t *out = &result.pixels[std::size_t(y) * to.width];
        for (int x = 0; x < to.width; ++x)
            out[x] = blend(in + x, std::size_t(to.width), &down.weights[t.weight], t.count);
    }
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
