// EXIF orientation: the tag is looked for in the first directory (IFD0) only,
// where cameras write it; every offset is checked against the segment.

#include "core/exif_orientation.h"

#include <cstring>

namespace guide {

namespace {

constexpr std::uint16_t kOrientationTag = 0x0112;
constexpr std::uint16_t kShortType = 3;
constexpr std::size_t kTiffStart = 6; // after "Exif\0\0"
constexpr std::size_t kEntryBytes = 12;

struct Tiff
{
    std::span<const std::uint8_t> bytes;
    bool bigEndian;

    bool has(std::size_t at, std::size_t n) const
    {
        return at <= bytes.size() && n <= bytes.size() - at;
    }
    std::uint32_t u16(std::size_t at) const
    {
        return bigEndian ? std::uint32_t(bytes[at] << 8 | bytes[at + 1])
                         : std::uint32_t(bytes[at + 1] << 8 | bytes[at]);
    }
    std::uint32_t u32(std::size_t at) const
    {
        return bigEndian ? u16(at) << 16 | u16(at + 2) : u16(at + 2) << 16 | u16(at);
    }
};

} // namespace

int exifOrientation(std::span<const std::uint8_t> payload)
{
    if (payload.size() < kTiffStart || std::memcmp(payload.data(), "Exif\0\0", kTiffStart) != 0)
        return 0;
    const auto bytes = payload.subspan(kTiffStart);
    if (bytes.size() < 8 || bytes[0] != bytes[1] || (bytes[0] != 'M' && bytes[0] != 'I'))
        return 1;
    const Tiff tiff{bytes, bytes[0] == 'M'};
    if (tiff.u16(2) != 42)
        return 1;
    const std::size_t ifd = tiff.u32(4);
    if (!tiff.has(ifd, 2))
        return 1;
    const std::size_t entries = tiff.u16(ifd);
    for (std::size_t i = 0; i < entries; ++i) {
        const std::size_t entry = ifd + 2 + i * kEntryBytes;
        if (!tiff.has(entry, kEntryBytes))
            return 1;
        if (tiff.u16(entry) != kOrientationTag)
            continue;
        const std::uint32_t value = tiff.u16(entry + 8);
        return tiff.u16(entry + 2) == kShortType && tiff.u32(entry + 4) == 1 && value >= 1 &&
                       value <= 8
                   ? int(value)
                   : 1;
    }
    return 1;
}

} // namespace guide
