// The marker walk: segments are stepped over by their declared lengths, the
// frame and scan headers are read just far enough to check their own lengths,
// and entropy-coded data is searched for the marker that ends it.

#include "guide/jpeg_structure.h"

#include <algorithm>
#include <cstddef>

namespace guide {

namespace {

constexpr std::uint8_t kPrefix = 0xFF;  // every marker starts with it; repeats are fill
constexpr std::uint8_t kStuffed = 0x00; // FF 00 in entropy-coded data is a data byte FF
constexpr std::uint8_t kTem = 0x01;     // standalone, no segment
constexpr std::uint8_t kSoi = 0xD8;
constexpr std::uint8_t kEoi = 0xD9;
constexpr std::uint8_t kSos = 0xDA;
constexpr std::uint8_t kRst0 = 0xD0; // RST0 … RST7: standalone
constexpr std::uint8_t kRst7 = 0xD7;

// C0 … CF are frame headers, except DHT (C4), JPG (C8) and DAC (CC).
constexpr bool isStartOfFrame(std::uint8_t m)
{
    return m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC;
}

constexpr bool isRestart(std::uint8_t m)
{
    return m >= kRst0 && m <= kRst7;
}

std::size_t be16(std::span<const std::uint8_t> b, std::size_t at)
{
    return std::size_t{b[at]} << 8 | b[at + 1];
}

// Frame header: P, Y, X, Nf, then three bytes per component.
bool readFrameHeader(std::span<const std::uint8_t> seg, JpegStructure &out)
{
    if (seg.size() < 6 || seg.size() != 6 + 3 * std::size_t{seg[5]} || seg[5] == 0)
        return false;
    out.height = static_cast<int>(be16(seg, 1));
    out.width = static_cast<int>(be16(seg, 3));
    return true;
}

// Scan header: Ns (1 to 4), two bytes per component, Ss, Se, Ah/Al.
bool scanHeaderFits(std::span<const std::uint8_t> seg)
{
    return seg.size() >= 4 && seg[0] >= 1 && seg[0] <= 4 &&
           seg.size() == 4 + 2 * std::size_t{seg[0]};
}

// Position of the FF that starts the marker ending the entropy-coded data
// that begins at `pos`, or the size of `b` when the data runs out first.
std::size_t endOfEntropyData(std::span<const std::uint8_t> b, std::size_t pos)
{
    for (;;) {
        const auto ff = std::find(b.begin() + static_cast<std::ptrdiff_t>(pos), b.end(), kPrefix);
        if (ff == b.end())
            return b.size();
        std::size_t next = static_cast<std::size_t>(ff - b.begin()) + 1;
        while (next < b.size() && b[next] == kPrefix)
            ++next;
        if (next == b.size())
            return b.size();
        if (b[next] != kStuffed && !isRestart(b[next]))
            return next - 1;
        pos = next + 1;
    }
}

} // namespace

JpegStructure scanJpegStructure(std::span<const std::uint8_t> b)
{
    JpegStructure out;
    if (b.size() < 2 || b[0] != kPrefix || b[1] != kSoi)
        return out;

    bool haveFrame = false;
    std::size_t pos = 2;
    for (;;) {
        if (pos >= b.size()) {
            out.end = JpegEnd::Truncated;
            return out;
        }
        if (b[pos] != kPrefix) {
            out.end = JpegEnd::Malformed;
            return out;
        }
        while (pos < b.size() && b[pos] == kPrefix)
            ++pos;
        if (pos == b.size()) {
            out.end = JpegEnd::Truncated;
            return out;
        }
        const std::uint8_t marker = b[pos++];

        if (marker == kEoi) {
            out.end = JpegEnd::Eoi;
            return out;
        }
        if (marker == kTem || isRestart(marker))
            continue;
        if (marker == kStuffed || marker == kSoi) {
            out.end = JpegEnd::Malformed;
            return out;
        }

        // Every other marker heads a segment whose length counts its own two bytes.
        if (b.size() - pos < 2) {
            out.end = JpegEnd::Truncated;
            return out;
        }
        const std::size_t length = be16(b, pos);
        if (length < 2) {
            out.end = JpegEnd::Malformed;
            return out;
        }
        if (b.size() - pos < length) {
            out.end = JpegEnd::Truncated;
            return out;
        }
        const auto segment = b.subspan(pos + 2, length - 2);
        pos += length;

        if (isStartOfFrame(marker)) {
            if (haveFrame || !readFrameHeader(segment, out)) {
                out.end = JpegEnd::Malformed;
                return out;
            }
            haveFrame = true;
        } else if (marker == kSos) {
            if (!haveFrame || !scanHeaderFits(segment)) {
                out.end = JpegEnd::Malformed;
                return out;
            }
            ++out.scans;
            pos = endOfEntropyData(b, pos);
        }
    }
}

} // namespace guide
