#pragma once
// Files for the loader's tests: photographs written by tools/photo_jpeg/photo_jpeg.h,
// read back as bytes, changed, and laid in a folder; and the quadrant layout
// of what comes out, as letters.

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "core/jpeg_decoder.h"
#include "core/picture_file.h"
#include "photo_jpeg.h"

namespace test_files {

using Bytes = std::string;

/// A folder of its own under the system's temporary folder, removed with the object.
struct TempDir
{
    std::filesystem::path path;
    TempDir()
    {
        // A name no other folder has: create_directory says so by making it.
        const std::filesystem::path base = std::filesystem::temp_directory_path();
        std::random_device random;
        for (int attempt = 0; attempt < 100 && path.empty(); ++attempt) {
            std::filesystem::path candidate = base / ("mirteka-test-" + std::to_string(random()));
            std::error_code error;
            if (std::filesystem::create_directory(candidate, error))
                path = std::move(candidate);
        }
    }
    ~TempDir()
    {
        std::error_code ignored;
        if (!path.empty())
            std::filesystem::remove_all(path, ignored);
    }
};

inline Bytes read(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void write(const std::filesystem::path &path, const Bytes &bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), std::streamsize(bytes.size()));
}

/// The photo as a file's bytes.
inline Bytes photo(const std::filesystem::path &folder, const photo_jpeg::Photo &p)
{
    const std::filesystem::path path = folder / "photo.jpg";
    if (!photo_jpeg::write(path.string(), p))
        return {};
    Bytes bytes = read(path);
    std::filesystem::remove(path);
    return bytes;
}

/// A marker segment.
inline Bytes segment(int marker, const Bytes &payload)
{
    const std::size_t length = payload.size() + 2;
    return Bytes{char(0xFF), char(marker), char(length >> 8), char(length & 0xFF)} + payload;
}

/// An EXIF segment holding only the orientation, in either byte order.
inline Bytes exifOrientation(int orientation, bool bigEndian)
{
    const auto u16 = [bigEndian](int v) {
        return bigEndian ? Bytes{char(v >> 8), char(v & 0xFF)}
                         : Bytes{char(v & 0xFF), char(v >> 8)};
    };
    const auto u32 = [&u16, bigEndian](int v) {
        return bigEndian ? u16(0) + u16(v) : u16(v) + u16(0);
    };
    const Bytes tiff = Bytes(bigEndian ? "MM" : "II") + u16(42) + u32(8) + u16(1)  // one entry
                       + u16(0x0112) + u16(3) + u32(1) + u16(orientation) + u16(0) // SHORT, padded
                       + u32(0);                                                   // no next IFD
    return segment(0xE1, Bytes("Exif\0\0", 6) + tiff);
}

/// The picture's size as its frame header declares it; empty if it has none.
inline guide::Size frameSize(const Bytes &bytes)
{
    const auto byte = [&bytes](std::size_t at) { return int(static_cast<unsigned char>(bytes[at])); };
    for (std::size_t at = 2; at + 9 <= bytes.size() && byte(at) == 0xFF;) {
        const int marker = byte(at + 1);
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
            return {byte(at + 7) << 8 | byte(at + 8), byte(at + 5) << 8 | byte(at + 6)};
        at += 2 + std::size_t(byte(at + 2) << 8 | byte(at + 3));
    }
    return {};
}

/// Decodes the bytes through a file, as the loader does.
inline guide::JpegPicture decode(const std::filesystem::path &folder, const Bytes &bytes,
                                 guide::Size frame = {328, 247}, guide::DecodeOptions options = {})
{
    const std::filesystem::path path = folder / "decode.jpg";
    write(path, bytes);
    const guide::PictureFile file = guide::openPictureFile(path);
    if (!file)
        return {};
    return guide::decodeJpeg(file.fd(), file.size(), frame, options);
}

/// The letters of photo_jpeg's quadrant colours nearest to the centres of the
/// four quadrants: "RBGY" for a picture the right way up.
inline std::string layout(const guide::Picture &picture)
{
    if (picture.isNull())
        return "null";
    static constexpr std::uint32_t kColours[] = {0xDC0000, 0x0000DC, 0x00C800, 0xE6E600};
    std::string out;
    for (const auto &[qx, qy] : {std::pair{1, 1}, {3, 1}, {1, 3}, {3, 3}}) {
        const std::uint32_t p = picture.pixel(qx * picture.width / 4, qy * picture.height / 4);
        int best = 0, bestDistance = INT_MAX;
        for (int i = 0; i < 4; ++i) {
            const auto channel = [](std::uint32_t c, int shift) { return int(c >> shift & 0xFF); };
            int distance = 0;
            for (int shift : {16, 8, 0}) {
                const int d = channel(p, shift) - channel(kColours[i], shift);
                distance += d * d;
            }
            if (distance < bestDistance)
                best = i, bestDistance = distance;
        }
        out += "RBGY"[best];
    }
    return out;
}

inline const char *name(guide::JpegFailure f)
{
    static const char *const kNames[] = {
        "None",     "Unreadable",        "Corrupt",      "Truncated", "CannotHold",
        "TooLarge", "CoefficientMemory", "TooManyScans", "ScanWork",  "RepeatedScan",
        "CpuTime"};
    return kNames[int(f)];
}

} // namespace test_files
