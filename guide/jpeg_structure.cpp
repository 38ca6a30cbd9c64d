// The marker walk: segments are stepped over by their declared lengths, the
// frame and scan headers are read just far enough to check their own lengths,
// and entropy-coded data is searched for the marker that ends it. The walk
// reads through a small window, so a file is never held whole in memory.

#include "guide/jpeg_structure.h"

#include <QIODevice>

#include <algorithm>
#include <array>
#include <cstddef>
#include <vector>

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

constexpr bool isRestart(std::uint8_t m) { return m >= kRst0 && m <= kRst7; }

std::size_t be16(std::span<const std::uint8_t> b, std::size_t at)
{
    return std::size_t{b[at]} << 8 | b[at + 1];
}

// Bytes from memory, or from a device through a window that is refilled as
// the walk goes. One byte can be pushed back.
class ByteReader
{
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : window_(bytes) {}
    explicit ByteReader(QIODevice &device) : device_(&device) {}

    bool next(std::uint8_t &b)
    {
        if (pushedBack_) {
            pushedBack_ = false;
            b = pushed_;
            return true;
        }
        if (pos_ == window_.size() && !refill())
            return false;
        b = window_[pos_++];
        return true;
    }

    void pushBack(std::uint8_t b)
    {
        pushed_ = b;
        pushedBack_ = true;
    }

    bool read(std::span<std::uint8_t> out)
    {
        for (std::uint8_t &b : out)
            if (!next(b))
                return false;
        return true;
    }

    bool skip(std::size_t n)
    {
        while (n > 0) {
            if (pos_ == window_.size() && !refill())
                return false;
            const std::size_t step = std::min(n, window_.size() - pos_);
            pos_ += step;
            n -= step;
        }
        return true;
    }

    /// Moves to the next FF byte (not consuming it); false when the bytes run out first.
    bool findPrefix()
    {
        for (;;) {
            const auto from = window_.begin() + static_cast<std::ptrdiff_t>(pos_);
            const auto ff = std::find(from, window_.end(), kPrefix);
            pos_ = static_cast<std::size_t>(ff - window_.begin());
            if (ff != window_.end())
                return true;
            if (!refill())
                return false;
        }
    }

private:
    bool refill()
    {
        if (!device_)
            return false;
        const qint64 n = device_->read(reinterpret_cast<char *>(storage_.data()),
                                       static_cast<qint64>(storage_.size()));
        if (n <= 0)
            return false;
        window_ = std::span<const std::uint8_t>(storage_.data(), static_cast<std::size_t>(n));
        pos_ = 0;
        return true;
    }

    QIODevice *device_ = nullptr;
    std::array<std::uint8_t, 64 * 1024> storage_{};
    std::span<const std::uint8_t> window_;
    std::size_t pos_ = 0;
    std::uint8_t pushed_ = 0;
    bool pushedBack_ = false;
};

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

// Steps through entropy-coded data to the marker that ends it: stuffed bytes
// and restart markers belong to the data. Leaves that marker's code pushed back.
bool skipEntropyData(ByteReader &r)
{
    for (;;) {
        std::uint8_t b = 0;
        if (!r.findPrefix() || !r.next(b))
            return false;
        do {
            if (!r.next(b))
                return false;
        } while (b == kPrefix);
        if (b != kStuffed && !isRestart(b)) {
            r.pushBack(b);
            return true;
        }
    }
}

JpegStructure walk(ByteReader &r)
{
    JpegStructure out;
    std::uint8_t b0 = 0, b1 = 0;
    if (!r.next(b0) || !r.next(b1) || b0 != kPrefix || b1 != kSoi)
        return out;

    const auto ended = [&out](JpegEnd end) {
        out.end = end;
        return out;
    };
    bool haveFrame = false;
    bool afterEntropyData = false; // its FF is read, the marker's code pushed back
    std::vector<std::uint8_t> header;
    for (;;) {
        std::uint8_t marker = 0;
        if (!afterEntropyData) {
            if (!r.next(marker))
                return ended(JpegEnd::Truncated);
            if (marker != kPrefix)
                return ended(JpegEnd::Malformed);
        }
        afterEntropyData = false;
        do {
            if (!r.next(marker))
                return ended(JpegEnd::Truncated);
        } while (marker == kPrefix);

        if (marker == kEoi)
            return ended(JpegEnd::Eoi);
        if (marker == kTem || isRestart(marker))
            continue;
        if (marker == kStuffed || marker == kSoi)
            return ended(JpegEnd::Malformed);

        // Every other marker heads a segment whose length counts its own two bytes.
        std::array<std::uint8_t, 2> lengthBytes{};
        if (!r.read(lengthBytes))
            return ended(JpegEnd::Truncated);
        const std::size_t length = be16(lengthBytes, 0);
        if (length < 2)
            return ended(JpegEnd::Malformed);

        if (isStartOfFrame(marker) || marker == kSos) {
            header.resize(length - 2);
            if (!r.read(header))
                return ended(JpegEnd::Truncated);
        } else if (!r.skip(length - 2)) {
            return ended(JpegEnd::Truncated);
        }

        if (isStartOfFrame(marker)) {
            if (haveFrame || !readFrameHeader(header, out))
                return ended(JpegEnd::Malformed);
            haveFrame = true;
        } else if (marker == kSos) {
            if (!haveFrame || !scanHeaderFits(header))
                return ended(JpegEnd::Malformed);
            ++out.scans;
            if (!skipEntropyData(r))
                return ended(JpegEnd::Truncated);
            afterEntropyData = true;
        }
    }
}

} // namespace

JpegStructure scanJpegStructure(std::span<const std::uint8_t> bytes)
{
    ByteReader reader(bytes);
    return walk(reader);
}

JpegStructure scanJpegStructure(QIODevice &device)
{
    ByteReader reader(device);
    return walk(reader);
}

} // namespace guide
