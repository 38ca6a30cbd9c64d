// What a picture may cost, on files written here by libjpeg's encoder from
// chosen coefficients (tools/photo_jpeg/coefficient_jpeg.h): each budget at its edge
// and one step past it; bytes after the end marker and in skipped segments
// earning nothing; progressions that send a scan again refused while real
// encoders' scripts show; smooth photographs of 20 to 24 MP under 1 MiB
// shown; the CPU-time backstop wired to the decoder.

#include <string>
#include <vector>

#include <doctest/doctest.h>

#include "coefficient_jpeg.h"
#include "core/jpeg_decoder.h"
#include "core/jpeg_extent.h"
#include "core/picture_limits.h"
#include "jpeg_test_files.h"

// A check with what it was about, built as a string.
#define EXPECT(condition, detail) CHECK_MESSAGE((condition), (detail))

namespace fs = std::filesystem;
namespace limits = guide::limits;
using coefficient_jpeg::Scan;
using guide::JpegFailure;
using namespace test_files;

namespace {

Bytes crafted(const fs::path &folder, const coefficient_jpeg::Picture &p)
{
    const fs::path path = folder / "crafted.jpg";
    if (!coefficient_jpeg::write(path.string(), p))
        return {};
    Bytes bytes = read(path);
    fs::remove(path);
    return bytes;
}

/// A flat grey picture of `width` × `height` in the given scans.
coefficient_jpeg::Picture flatGrey(int width, int height, std::vector<Scan> scans,
                                   bool arithmetic)
{
    coefficient_jpeg::Picture p;
    p.width = width;
    p.height = height;
    p.components = 1;
    p.arithmetic = arithmetic;
    p.progressive = !scans.empty();
    p.scans = std::move(scans);
    return p;
}

/// The same bytes with other dimensions in the frame header.
Bytes withSize(Bytes bytes, int width, int height)
{
    const std::size_t at = bytes.find(bytes.find("\xFF\xC2") != Bytes::npos   ? "\xFF\xC2"
                                      : bytes.find("\xFF\xCA") != Bytes::npos ? "\xFF\xCA"
                                      : bytes.find("\xFF\xC9") != Bytes::npos ? "\xFF\xC9"
                                                                              : "\xFF\xC0");
    bytes.replace(at + 5, 4,
                  Bytes{char(height >> 8), char(height & 0xFF), char(width >> 8), char(width & 0xFF)});
    return bytes;
}

/// Where the `n`th scan's header starts and its data ends.
std::pair<std::size_t, std::size_t> scanAt(const Bytes &bytes, int n)
{
    std::size_t sos = 0;
    for (int i = 0; i <= n; ++i)
        sos = bytes.find("\xFF\xDA", sos + 1);
    std::size_t end = sos + 2 + std::size_t(std::uint8_t(bytes[sos + 2]) << 8 | std::uint8_t(bytes[sos + 3]));
    while (end + 1 < bytes.size() &&
           (std::uint8_t(bytes[end]) != 0xFF || bytes[end + 1] == 0 ||
            (std::uint8_t(bytes[end + 1]) >= 0xD0 && std::uint8_t(bytes[end + 1]) <= 0xD7)))
        ++end;
    return {sos, end};
}

/// The file with its `n`th scan sent once more right after it, `times` times.
Bytes repeatScan(const Bytes &bytes, int n, int times = 1)
{
    const auto [from, to] = scanAt(bytes, n);
    Bytes out = bytes.substr(0, to);
    for (int i = 0; i < times; ++i)
        out += bytes.substr(from, to - from);
    return out + bytes.substr(to);
}

std::string describe(const guide::JpegPicture &decoded)
{
    return std::string(name(decoded.failure)) + ", " + std::to_string(decoded.cost.scans) +
           " scans, " + std::to_string(decoded.cost.pictureBytes) + " bytes of picture";
}

// libjpeg's own progression, as cjpeg and jpegtran write it.
const std::vector<Scan> kLibjpegScript = {
    {{0, 1, 2}, 0, 0, 0, 1}, {{0}, 1, 5, 0, 2},  {{2}, 1, 63, 0, 1}, {{1}, 1, 63, 0, 1},
    {{0}, 6, 63, 0, 2},      {{0}, 1, 63, 2, 1}, {{0, 1, 2}, 0, 0, 1, 0}, {{2}, 1, 63, 1, 0},
    {{1}, 1, 63, 1, 0},      {{0}, 1, 63, 1, 0}};

// A tuned encoder's script: DC per component, luma bands split six ways and
// refined in three steps of two bands, chroma in two bands and two steps.
std::vector<Scan> tunedScript()
{
    std::vector<Scan> s{{{0}, 0, 0, 0, 2}, {{1}, 0, 0, 0, 2}, {{2}, 0, 0, 0, 2}};
    for (const auto &[ss, se] : {std::pair{1, 1}, {2, 2}, {3, 5}, {6, 9}, {10, 20}, {21, 63}})
        s.push_back({{0}, ss, se, 0, 3});
    for (int c = 1; c < 3; ++c) {
        s.push_back({{c}, 1, 5, 0, 2});
        s.push_back({{c}, 6, 63, 0, 2});
    }
    for (int a = 3; a > 0; --a) {
        s.push_back({{0}, 1, 9, a, a - 1});
        s.push_back({{0}, 10, 63, a, a - 1});
    }
    for (int a = 2; a > 0; --a) {
        s.push_back({{0, 1, 2}, 0, 0, a, a - 1});
        for (int c = 1; c < 3; ++c)
            s.push_back({{c}, 1, 63, a, a - 1});
    }
    return s;
}

} // namespace

TEST_CASE("every encoder's progression shows; a scan sent again is refused")
{
    TempDir folder;
    coefficient_jpeg::Picture photo = coefficient_jpeg::smoothPhoto(640, 480, 3, 2, 300);
    const std::vector<Scan> tuned = tunedScript();
    CHECK(tuned.size() >= 25);
    for (const bool arithmetic : {false, true}) {
        photo.arithmetic = arithmetic;
        const std::string coding = arithmetic ? "arithmetic " : "Huffman ";
        for (const auto &entry : {std::pair{&kLibjpegScript, "libjpeg's script"},
                                  {&tuned, "a tuned encoder's script"}}) {
            const std::vector<Scan> *script = entry.first;
            photo.scans = *script;
            const Bytes bytes = crafted(folder.path, photo);
            const guide::JpegPicture decoded = decode(folder.path, bytes);
            const std::string what = coding + entry.second + ": " + describe(decoded);
            EXPECT(decoded.failure == JpegFailure::None, what);
            EXPECT(decoded.cost.scans == int(script->size()), what);
            EXPECT(layout(decoded.image) == "RBGY", what + ", " + layout(decoded.image));
            // Their first scans stop short of the last bit: sent again, libjpeg
            // itself warns that the progression is broken.
            const int firstAc = script == &tuned ? 3 : 1;
            for (const int n : {0, firstAc}) {
                const guide::JpegPicture repeated = decode(folder.path, repeatScan(bytes, n));
                EXPECT(repeated.failure == JpegFailure::Corrupt,
                       what + ", scan " + std::to_string(n) + " again: " + describe(repeated));
                EXPECT(repeated.cost.scans <= n + 2, describe(repeated));
            }
        }
        // Scans that send their coefficients whole, to the last bit, sent
        // again: libjpeg takes each without a warning, at a full pass a time.
        photo.scans = {{{0, 1, 2}, 0, 0, 0, 0}, {{0}, 1, 63, 0, 0}, {{1}, 1, 63, 0, 0}, {{2}, 1, 63, 0, 0}};
        const Bytes whole = crafted(folder.path, photo);
        CHECK(decode(folder.path, whole).failure == JpegFailure::None);
        for (const auto &entry : {std::pair{0, "the DC scan"}, {1, "an AC scan"}}) {
            const int n = entry.first;
            const guide::JpegPicture repeated = decode(folder.path, repeatScan(whole, n, 50));
            const std::string what = coding + entry.second + " sent again: " + describe(repeated);
            EXPECT(repeated.failure == JpegFailure::RepeatedScan, what);
            EXPECT(repeated.cost.scans == n + 2, what);
        }
    }
    // Sequential scans of one component each: the first one again, 5000 times.
    photo.arithmetic = false;
    photo.scans = {{{0}, 0, 63, 0, 0}, {{1}, 0, 63, 0, 0}, {{2}, 0, 63, 0, 0}};
    photo.progressive = false;
    const Bytes sequential = crafted(folder.path, photo);
    CHECK(decode(folder.path, sequential).failure == JpegFailure::None);
    const guide::JpegPicture repeated = decode(folder.path, repeatScan(sequential, 0, 5000));
    EXPECT(repeated.failure == JpegFailure::RepeatedScan, describe(repeated));
    CHECK(repeated.cost.scans == 2);
}

TEST_CASE("smooth progressive photographs under 1 MiB show, 20 to 24 MP at 4:2:0, 12 MP at 4:4:4, "
          "an A4 page at 600 dpi")
{
    TempDir folder;
    struct Case
    {
        const char *name;
        int width, height, components, sampling;
        bool arithmetic = false;
    };
    for (const Case &c : {Case{"24 MP 4:2:0", 6000, 4000, 3, 2}, Case{"20 MP 4:2:0", 5472, 3648, 3, 2},
                          Case{"12 MP 4:4:4", 4000, 3000, 3, 1},
                          Case{"A4 at 600 dpi, grey", 4960, 7016, 1, 1},
                          Case{"24 MP 4:2:0, arithmetic", 6000, 4000, 3, 2, true}}) {
        coefficient_jpeg::Picture p =
            coefficient_jpeg::smoothPhoto(c.width, c.height, c.components, c.sampling, 300);
        p.arithmetic = c.arithmetic;
        const Bytes bytes = crafted(folder.path, p);
        const guide::JpegPicture decoded = decode(folder.path, bytes);
        const std::string what = std::string(c.name) + ", " + std::to_string(bytes.size()) +
                                 " bytes: " + describe(decoded);
        EXPECT(bytes.size() < (std::size_t(1) << 20), what);
        // More than a flat 56 MiB of coefficients, which refused them once.
        EXPECT(decoded.cost.coefficientBytes > (std::int64_t{56} << 20), what);
        EXPECT(decoded.failure == JpegFailure::None, what);
        if (c.components == 3)
            EXPECT(layout(decoded.image) == "RBGY", what + ": " + layout(decoded.image));
    }
}

TEST_CASE("bytes after the end marker and in skipped segments earn nothing")
{
    TempDir folder;
    const Bytes trailing(std::size_t(1) << 20, '\0');
    Bytes comments;
    while (comments.size() < trailing.size())
        comments += segment(0xFE, Bytes(65533, 'c'));
    const auto variants = [&](const Bytes &bytes) {
        return std::vector<std::pair<std::string, Bytes>>{
            {"as written", bytes},
            {"with 1 MiB after its end marker", bytes + trailing},
            {"with 1 MiB of comments", bytes.substr(0, 2) + comments + bytes.substr(2)}};
    };

    // Work: an arithmetic sequential picture decodes zeros past its few bytes
    // at 64 visits a block; the free work holds 2304 rows of 1024 blocks.
    const Bytes flat = crafted(folder.path, flatGrey(64, 64, {}, true));
    const std::int64_t rows = limits::workBudget(std::int64_t(flat.size()), true) / (std::int64_t{64} * 1024);
    CHECK(rows == 2304);
    const std::int64_t plainBytes = decode(folder.path, withSize(flat, 8192, 8 * int(rows))).cost.pictureBytes;
    for (const auto &variant : variants(withSize(flat, 8192, 8 * int(rows)))) {
        const guide::JpegPicture decoded = decode(folder.path, variant.second);
        const std::string what = "work at its budget, " + variant.first + ": " + describe(decoded);
        EXPECT(decoded.failure == JpegFailure::None, what);
        // The comments' markers and lengths, 4 bytes each, are all they add.
        EXPECT(decoded.cost.pictureBytes < plainBytes + 100, what);
    }
    for (const auto &variant : variants(withSize(flat, 8192, 8 * int(rows) + 8))) {
        const guide::JpegPicture decoded = decode(folder.path, variant.second);
        EXPECT(decoded.failure == JpegFailure::ScanWork,
               "a row past, " + variant.first + ": " + describe(decoded));
    }

    // Coefficients: an arithmetic progressive picture, whole in a DC and an
    // AC scan of a few bytes. Every picture may hold the free allowance; past
    // it, bytes after the end marker or in comments earn nothing, and the
    // picture is refused before anything is allocated.
    const Bytes progressive =
        crafted(folder.path, flatGrey(64, 64, {{{0}, 0, 0, 0, 0}, {{0}, 1, 63, 0, 0}}, true));
    const int freeRows = int(limits::kFreeCoefficientBytes / limits::kCoefficientBlockBytes / 1024);
    CHECK(freeRows == 576);
    const guide::JpegPicture atFree = decode(folder.path, withSize(progressive, 8192, 8 * freeRows));
    EXPECT(atFree.failure == JpegFailure::None, describe(atFree));
    CHECK(atFree.cost.coefficientBytes == limits::kFreeCoefficientBytes);
    const Bytes rowPast = withSize(progressive, 8192, 8 * freeRows + 8);
    const Bytes large = withSize(progressive, 16384, 16384);
    const std::size_t afterFirstScan = scanAt(large, 0).second;
    const Bytes fiveMiB(std::size_t(5) << 20, '\0');
    Bytes fiveMiBOfComments;
    while (fiveMiBOfComments.size() < fiveMiB.size())
        fiveMiBOfComments += segment(0xFE, Bytes(65533, 'c'));
    const auto describeMemory = [](const std::string &what, const guide::JpegPicture &decoded) {
        return what + ": touched " + std::to_string(decoded.cost.touchedCoefficientBytes) + " of " +
               std::to_string(decoded.cost.coefficientBytes) + ", " + describe(decoded);
    };
    for (const auto &variant :
         {std::pair{std::string("a row past the free allowance"), rowPast},
          {"a row past, with 1 MiB after its end", rowPast + trailing},
          {"512 MiB", large},
          {"512 MiB, with 5 MiB after its end", large + fiveMiB},
          {"512 MiB, with 5 MiB of comments after its first scan",
           large.substr(0, afterFirstScan) + fiveMiBOfComments + large.substr(afterFirstScan)}}) {
        const guide::JpegPicture decoded = decode(folder.path, variant.second);
        EXPECT(decoded.failure == JpegFailure::CoefficientMemory && decoded.cost.scans == 0,
               describeMemory(variant.first, decoded));
    }
    // Bytes that end its last scan, where its data should be, are read by the
    // decoder and earn the buffer; its first scan touches no more of it than
    // the bytes it decoded earn.
    const Bytes inScan = large.substr(0, large.size() - 2) + Bytes(fiveMiB.size(), '\x01') + "\xFF\xD9";
    const guide::JpegPicture held = decode(folder.path, inScan);
    const std::string what = describeMemory("512 MiB, with 5 MiB ending its last scan", held);
    EXPECT(held.failure == JpegFailure::CoefficientMemory && held.cost.scans == 1, what);
    EXPECT(held.cost.touchedCoefficientBytes <= limits::touchedCoefficientBudget(held.cost.pictureBytes),
           what);
}

TEST_CASE("each limit at its value and one step past it")
{
    TempDir folder;
    // Huffman spends a bit at least on each block: a flat grey picture in one
    // DC scan, 64 blocks in 8 bytes of data.
    const Bytes oneBit = crafted(folder.path, flatGrey(64, 64, {{{0}, 0, 0, 0, 0}}, false));
    CHECK(decode(folder.path, oneBit).failure == JpegFailure::None);
    Bytes shortOfOne = oneBit;
    shortOfOne.erase(shortOfOne.size() - 3, 1);
    CHECK(decode(folder.path, shortOfOne).failure == JpegFailure::CannotHold);
    CHECK(decode(folder.path, withSize(oneBit, 64, 72)).failure == JpegFailure::CannotHold);

    // Output pixels and blocks, the file padded after its end to hold the
    // blocks at a bit each: at the limit the data runs out, past it the
    // header is refused.
    const Bytes baseline = crafted(folder.path, flatGrey(64, 64, {}, false));
    const auto padded = [&](int w, int h) {
        const std::int64_t blocks = std::int64_t{(w + 7) / 8} * ((h + 7) / 8);
        return withSize(baseline, w, h) + Bytes(std::size_t(blocks / 8), '\0');
    };
    CHECK(decode(folder.path, padded(16384, 16384)).failure == JpegFailure::Truncated);
    CHECK(decode(folder.path, padded(16384, 16392)).failure == JpegFailure::TooLarge);
    CHECK(decode(folder.path, padded(32768, 32776)).failure == JpegFailure::TooLarge);

    // Huffman work: 512 × 512 blocks in a DC scan, an AC scan at bit n - 1 and
    // n - 1 refinements, each a pass over 63 coefficients a block: 83 M
    // visits for 6 passes, 133 M for 9, against 117 M that the free work and
    // the DC scan's 33 KB earn.
    const auto refinements = [&](int n) {
        std::vector<Scan> scans{{{0}, 0, 0, 0, 0}, {{0}, 1, 63, 0, n - 1}};
        for (int a = n - 1; a > 0; --a)
            scans.push_back({{0}, 1, 63, a, a - 1});
        return decode(folder.path, crafted(folder.path, flatGrey(4096, 4096, scans, false)));
    };
    const guide::JpegPicture six = refinements(6);
    EXPECT(six.failure == JpegFailure::None, describe(six));
    const guide::JpegPicture eight = refinements(9);
    EXPECT(eight.failure == JpegFailure::ScanWork, describe(eight));

    // Scans: a 4:1:0 colour picture in one DC scan and single-coefficient
    // chroma scans, cheap enough that only their count meets a limit.
    const auto scans = [&](int count) {
        coefficient_jpeg::Picture p = coefficient_jpeg::smoothPhoto(64, 64, 3, 1, 0);
        p.hSample = 4;
        p.vSample = 2;
        p.scans = {{{0, 1, 2}, 0, 0, 0, 0}};
        for (int i = 0; i < count - 1; ++i)
            p.scans.push_back({{1 + i / 63}, 1 + i % 63, 1 + i % 63, 0, 0});
        return decode(folder.path, crafted(folder.path, p));
    };
    CHECK(scans(limits::kMaxScans).failure == JpegFailure::None);
    const guide::JpegPicture tooMany = scans(limits::kMaxScans + 1);
    EXPECT(tooMany.failure == JpegFailure::TooManyScans, describe(tooMany));

    // Not pictures at all.
    CHECK(decode(folder.path, "not a picture\n").failure == JpegFailure::Corrupt);
    CHECK(decode(folder.path, "").failure == JpegFailure::Corrupt);
}

TEST_CASE("a decode past its CPU time stops, whatever the counts say")
{
    TempDir folder;
    photo_jpeg::Photo p;
    p.width = 4000;
    p.height = 3000;
    p.progressive = true;
    const Bytes bytes = photo(folder.path, p);
    CHECK(decode(folder.path, bytes).failure == JpegFailure::None);
    const guide::JpegPicture stopped = decode(folder.path, bytes, {328, 247}, {.cpuNanoseconds = 1});
    EXPECT(stopped.failure == JpegFailure::CpuTime, describe(stopped));
    CHECK(stopped.image.isNull());
}

TEST_CASE("the picture's bytes are counted to its end marker, however the file is read")
{
    // From a scan's data on: stuffed bytes, a restart marker and fill bytes in
    // the data, a table, stray bytes and a comment between segments, a second
    // scan, the end marker, then what follows it.
    const Bytes file = Bytes("\x12\x34\xFF\x00\x56", 5) + "\xFF\xD0\x78" + Bytes("\xFF\xFF\xC4\x00\x05\x01\x02\x03", 8) +
                       "\x01\x02" + Bytes("\xFF\xFE\x00\x06", 4) + "abcd" + Bytes("\xFF\xDA\x00\x03\x01", 5) +
                       "\x9A\xFF\xD7\xBC" + "\xFF\xD9" + Bytes("\xFF\xDA\x00\x04\x01\x02", 6);
    // All but the stray bytes, the comment's text and what follows the end.
    const std::int64_t counted = 5 + 3 + 8 + 4 + 5 + 4 + 2;
    for (const std::size_t chunk : {std::size_t(1), std::size_t(3), file.size()}) {
        guide::JpegExtent extent;
        bool going = true;
        std::size_t at = 0;
        for (; going && at < file.size(); at += chunk) {
            const std::size_t n = std::min(chunk, file.size() - at);
            going = extent.take({reinterpret_cast<const std::uint8_t *>(file.data()) + at, n});
        }
        CAPTURE(chunk);
        CHECK_FALSE(going);
        CHECK(at <= file.size() - 6 + chunk - 1); // stopped at the end marker
        CHECK(extent.pictureBytes() == counted);
    }
    // Cut before its end marker, the file counts as far as it goes.
    guide::JpegExtent cut;
    CHECK(cut.take({reinterpret_cast<const std::uint8_t *>(file.data()), 16}));
    CHECK(cut.pictureBytes() == 16);
}
