// The loader's rules on files made by real encoders and changed byte for byte
// (tools/jpeg_corpus.py): everyday quirks around complete data show, lost or
// corrupt data is refused; the EXIF orientation in both byte orders; the
// decoder's own memory limit behind the header check; thin pictures decoded
// small; data after the end marker never read as the picture; the file read
// afresh each time, only as far as it was when opened; and no crash or wrong
// size, whatever bytes are flipped or cut.

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <tuple>

#include <doctest/doctest.h>

#include "core/jpeg_decoder.h"
#include "core/picture_limits.h"
#include "core/picture_loader.h"
#include "jpeg_test_files.h"

// A check with what it was about, built as a string.
#define EXPECT(condition, detail) CHECK_MESSAGE((condition), (detail))

namespace fs = std::filesystem;
using guide::JpegFailure;
using namespace test_files;

namespace {

constexpr guide::Size kFrame{328, 247};

// The corpus's manifest: group/name, verdict. Written into `folder` by the
// encoders of tools/jpeg_corpus.py, unless MIRTEKA_JPEG_CORPUS names a corpus
// made already (as the Windows build does on its build machine): then
// `folder` becomes that one.
std::map<std::string, std::string> corpus(fs::path &folder)
{
    if (const char *made = std::getenv("MIRTEKA_JPEG_CORPUS"); made && *made) {
        folder = fs::absolute(made); // a Unix path reads as one on the current drive
    } else {
        const std::string command = "/usr/bin/python3 '" MIRTEKA_SOURCE_DIR
                                    "/tools/jpeg_corpus.py' '" +
                                    folder.string() + "'";
        if (std::system(command.c_str()) != 0)
            return {};
    }
    std::map<std::string, std::string> files;
    std::ifstream manifest(folder / "manifest.tsv");
    for (std::string group, name, verdict; manifest >> group >> name >> verdict;)
        files[group.append("/").append(name)] = verdict;
    return files;
}

bool contains(const std::string &text, const char *part) { return text.find(part) != text.npos; }

// Quirk files whose quirk libjpeg warns about, so that they test a rule and
// not only the file's decoding: each must have been let pass with its warning.
// (Two stray bytes before the end marker after a Huffman scan are usually
// swallowed by the decoder's look-ahead without one. With restarts, a 64-bit
// build warns about them; the 32-bit build (WebAssembly's), whose Huffman bit
// buffer is half as wide, was seen not to. The file shows on both, and the
// rule is still tested by the stray bytes of every other kind.)
bool warnsAboutItsQuirk(const std::string &name)
{
    for (const char *warned : {"jfif", "adobe_transform", "sos_fields", "stray_2_bytes_between",
                               "stray_2_bytes_before_frame", "stray_16", "stray_200", "padding_"})
        if (contains(name, warned))
            return true;
    return sizeof(void *) == 8 && contains(name, "stray_2_bytes_before_end_restarts");
}

// A file that costs more than its bytes: refused, or shown within every
// budget its size earns.
void withinBudgets(const std::string &file, const Bytes &bytes, const guide::JpegPicture &decoded)
{
    const std::string detail = file + ": " + name(decoded.failure);
    if (decoded.failure != JpegFailure::None) {
        EXPECT(decoded.image.isNull(), detail);
        return;
    }
    const auto size = std::int64_t(bytes.size());
    const guide::JpegCost &cost = decoded.cost;
    EXPECT(cost.work <= guide::limits::workBudget(size, cost.arithmetic), detail);
    EXPECT(cost.coefficientBytes <= guide::limits::coefficientBudget(size), detail);
    EXPECT(cost.outputPixels <= guide::limits::kMaxOutputPixels, detail);
    // Never much more than the frame needs, in either direction, unless at
    // the smallest scale.
    const guide::Size picture = frameSize(bytes);
    const bool smallest = decoded.image.width == (picture.width + 7) / 8 &&
                          decoded.image.height == (picture.height + 7) / 8;
    EXPECT(smallest || decoded.image.width <= 2 * kFrame.width + 16 ||
               decoded.image.height <= kFrame.height,
           detail + " at " + std::to_string(decoded.image.width) + " wide");
    EXPECT(smallest || decoded.image.height <= 2 * kFrame.height + 16 ||
               decoded.image.width <= kFrame.width,
           detail + " at " + std::to_string(decoded.image.height) + " high");
}

void everydayQuirksAndLostData(fs::path folder)
{
    const auto files = corpus(folder);
    EXPECT(files.size() > 60, "tools/jpeg_corpus.py wrote no corpus (tools/setup.sh installs "
                              "python3-pil, libjpeg-turbo-progs and imagemagick)");
    int endMarkersMissing = 0, cheap = 0;
    for (const auto &[file, verdict] : files) {
        const Bytes bytes = read(folder / (file + ".jpg"));
        const guide::JpegPicture decoded = decode(folder, bytes, kFrame);
        const std::string detail = file + ": " + name(decoded.failure);
        if (verdict == "cheap") {
            withinBudgets(file, bytes, decoded);
            ++cheap;
        } else if (verdict == "show") {
            EXPECT(decoded.failure == JpegFailure::None, detail);
            if (!contains(file, "grey") && !contains(file, "cmyk"))
                EXPECT(layout(decoded.image) == "RBGY", detail + " " + layout(decoded.image));
            if (warnsAboutItsQuirk(file))
                EXPECT(decoded.cost.quirks > 0, detail + ": drew no warning");
            endMarkersMissing += contains(file, "no_end_marker");
        } else {
            EXPECT(decoded.failure != JpegFailure::None && decoded.image.isNull(), detail);
            // Data lost is told from corrupt data; neither is a budget's refusal.
            if (contains(file, "cut"))
                EXPECT(decoded.failure == JpegFailure::Truncated ||
                           decoded.failure == JpegFailure::Corrupt,
                       detail);
            if (contains(file, "restart_marker") || contains(file, "inside_scan") ||
                contains(file, "bogus") || contains(file, "stray"))
                EXPECT(decoded.failure == JpegFailure::Corrupt, detail);
        }
    }
    CHECK(endMarkersMissing >= 6);
    CHECK(cheap >= 7);
    CHECK(files.contains("hostile/hidden_scans"));
    CHECK(files.contains("hostile/empty_scans"));
}

// Bytes that are no marker after a scan (a Huffman decoder's look-ahead takes
// a few of them as data): up to a few KiB of zero or fill bytes are padding (before the end marker or between scans) and earn
// nothing; more, or bytes of any other value, are the scan's data going on
// past where the decoder found its end.
void paddingAfterAScan(const fs::path &folder)
{
    photo_jpeg::Photo p;
    p.restartRows = 1;
    const Bytes good = photo(folder, p);
    const std::size_t end = good.rfind("\xFF\xD9");
    const std::int64_t plainBytes = decode(folder, good, kFrame).cost.pictureBytes;
    const int most = guide::limits::kMaxPaddingBytes;
    for (const auto &[count, fill, shows] :
         {std::tuple{2, '\x00', true}, {64, '\x00', true}, {most, '\x00', true},
          {most + 64, '\x00', false}, {64, '\x20', false}, {most / 2, '\x00', true}}) {
        Bytes bytes = good;
        bytes.insert(end, std::string(std::size_t(count), fill));
        const guide::JpegPicture decoded = decode(folder, bytes, kFrame);
        const std::string what = std::to_string(count) + " bytes of " + std::to_string(int(fill)) +
                                 ": " + name(decoded.failure);
        EXPECT(decoded.failure == (shows ? JpegFailure::None : JpegFailure::Corrupt), what);
        if (shows)
            EXPECT(decoded.cost.pictureBytes <= plainBytes + 8, what + ", earned by " +
                                                                   std::to_string(decoded.cost.pictureBytes));
    }
    // Between the scans of a progressive picture, as zeros and as fill bytes.
    p.restartRows = 0;
    p.progressive = true;
    const Bytes progressive = photo(folder, p);
    std::size_t third = 0;
    for (int n = 0; n < 3; ++n)
        third = progressive.find("\xFF\xDA", third + 1);
    for (const char fill : {'\x00', '\xFF'}) {
        Bytes bytes = progressive;
        bytes.insert(third, std::string(std::size_t(most), fill));
        const guide::JpegPicture decoded = decode(folder, bytes, kFrame);
        EXPECT(decoded.failure == JpegFailure::None,
               std::string("between scans, fill ") + std::to_string(int(fill)) + ": " +
                   name(decoded.failure));
        EXPECT(layout(decoded.image) == "RBGY", layout(decoded.image));
    }
}

// The orientation tag in both byte orders, each of the eight values: the
// picture comes out upright at the frame's size (transposed for a quarter turn).
void exifOrientations(const fs::path &folder)
{
    const Bytes plain = photo(folder, {});
    const char *upright[] = {"RBGY", "BRYG", "YGBR", "GYRB", "RGBY", "GRYB", "YBGR", "BYRG"};
    for (const bool bigEndian : {true, false}) {
        for (int o = 1; o <= 8; ++o) {
            const Bytes bytes =
                plain.substr(0, 2) + exifOrientation(o, bigEndian) + plain.substr(2);
            const std::string what =
                std::string(bigEndian ? "MM" : "II") + " orientation " + std::to_string(o);
            const guide::JpegPicture decoded = decode(folder, bytes, kFrame);
            EXPECT(decoded.orientation == o,
                   what + ": read " + std::to_string(decoded.orientation));
            write(folder / "turned.jpg", bytes);
            const guide::Picture shown = guide::loadPicture(folder / "turned.jpg", kFrame);
            EXPECT(shown.size() == kFrame, what);
            EXPECT(layout(shown) == upright[o - 1], what + ": " + layout(shown));
        }
    }
    // Only the first EXIF segment counts, an XMP one before it is no EXIF,
    // and an orientation out of range is none.
    const Bytes xmp = segment(0xE1, Bytes("http://ns.adobe.com/xap/1.0/\0<x:xmpmeta/>", 42));
    for (const auto &[segments, expected] :
         {std::pair{xmp + exifOrientation(6, true), 6},
          {exifOrientation(3, true) + exifOrientation(6, true), 3},
          {exifOrientation(9, true), 1}}) {
        const guide::JpegPicture decoded =
            decode(folder, plain.substr(0, 2) + segments + plain.substr(2), kFrame);
        EXPECT(decoded.orientation == expected, "read " + std::to_string(decoded.orientation));
        EXPECT(decoded.failure == JpegFailure::None, name(decoded.failure));
    }
}

// The decoder's own memory limit, which follows the file's budget, stops a
// progressive picture too large for its file even where nothing checks the
// headers first. Without it the decoder would allocate the buffer and decode
// until the data ran out.
void decodersOwnMemoryLimit(const fs::path &folder)
{
    photo_jpeg::Photo p;
    p.width = p.height = 64;
    p.colour = photo_jpeg::Colour::Grey;
    p.progressive = true;
    Bytes bytes = photo(folder, p);
    // 8192 × 8192 grey: 1 Mi blocks, 128 MiB of coefficients against 56 MiB.
    const std::size_t sof = bytes.find("\xFF\xC2");
    bytes.replace(sof + 5, 4, std::string{char(0x20), 0, char(0x20), 0});
    const guide::JpegPicture judged = decode(folder, bytes, kFrame);
    EXPECT(judged.failure != JpegFailure::None, name(judged.failure));
    CHECK(judged.cost.scans == 0);
    const guide::JpegPicture unjudged = decode(folder, bytes, kFrame, {.checkHeaders = false});
    EXPECT(unjudged.failure == JpegFailure::CoefficientMemory, name(unjudged.failure));
    CHECK(unjudged.cost.scans == 0);
    // Within the budget the same seam decodes (to the end of the data).
    bytes.replace(sof + 5, 4, std::string{char(0x08), 0, char(0x08), 0});
    const guide::JpegPicture small = decode(folder, bytes, kFrame, {.checkHeaders = false});
    EXPECT(small.failure == JpegFailure::Truncated, name(small.failure));
}

// A picture too thin to cover the frame is decoded at 1/8 all the same, never
// many times larger than the frame in its long direction, and stretched.
void thinPictures(const fs::path &folder)
{
    for (const guide::Size size : {guide::Size{327, 65500}, guide::Size{65500, 327}}) {
        photo_jpeg::Photo p;
        p.width = size.width;
        p.height = size.height;
        p.grain = 2;
        p.quality = 75;
        const Bytes bytes = photo(folder, p);
        const guide::JpegPicture decoded = decode(folder, bytes, kFrame);
        const std::string what = std::to_string(size.width) + " x " + std::to_string(size.height);
        EXPECT(decoded.failure == JpegFailure::None, what + ": " + name(decoded.failure));
        EXPECT(decoded.image.width == (size.width + 7) / 8 &&
                   decoded.image.height == (size.height + 7) / 8,
               what + ": decoded at " + std::to_string(decoded.image.width) + " x " +
                   std::to_string(decoded.image.height));
        write(folder / "thin.jpg", bytes);
        const guide::Picture shown = guide::loadPicture(folder / "thin.jpg", kFrame);
        EXPECT(shown.size() == kFrame && layout(shown) == "RBGY", what + ": " + layout(shown));
    }
    // Covering the frame's height at full size would make a panorama twelve
    // times as wide as the frame: it goes down to the scale at which it is
    // no more than twice as wide, and is stretched in height.
    photo_jpeg::Photo wide;
    wide.width = 4000;
    wide.height = 300;
    const guide::JpegPicture panorama = decode(folder, photo(folder, wide), kFrame);
    EXPECT(panorama.image.width == 500 && panorama.image.height == 38,
           std::to_string(panorama.image.width) + " x " + std::to_string(panorama.image.height));
    // An ordinary photo: the smallest scale that covers the frame.
    wide.width = 1920;
    wide.height = 1080;
    const guide::JpegPicture photo16x9 = decode(folder, photo(folder, wide), kFrame);
    EXPECT(photo16x9.image.width == 480 && photo16x9.image.height == 270,
           std::to_string(photo16x9.image.width));
}

// The file as it is at each showing: read afresh, and only as far as it was
// when it was opened (the rest of a cut picture appended afterwards is never
// decoded).
void fileAsOpened(const fs::path &folder)
{
    const Bytes whole = photo(folder, {});
    const fs::path path = folder / "room1.jpg";
    write(path, whole.substr(0, whole.size() / 2));
    {
        const guide::PictureFile file = guide::openPictureFile(path);
        REQUIRE(bool(file));
        std::ofstream(path, std::ios::binary | std::ios::app) << whole.substr(whole.size() / 2);
        CHECK(guide::decodeJpeg(file.fd(), file.size(), kFrame).failure == JpegFailure::Truncated);
    } // closed: Windows removes no file that is open
    CHECK(layout(guide::loadPicture(path, kFrame)) == "RBGY");
    fs::remove(path);
    CHECK(guide::loadPicture(path, kFrame).isNull());
    // A small picture stretched into a frame of another shape.
    photo_jpeg::Photo small;
    small.width = 64;
    small.height = 48;
    write(path, photo(folder, small));
    const guide::Picture tall = guide::loadPicture(path, {300, 700});
    CHECK(tall.size() == guide::Size{300, 700});
    CHECK(layout(tall) == "RBGY");
}

// Flipped bytes and cuts anywhere, the EXIF segment included: any verdict
// will do but a crash, as long as a picture comes out at the size asked for.
void survivesMutations(const fs::path &folder)
{
    photo_jpeg::Photo p;
    p.width = 64;
    p.height = 48;
    p.progressive = true;
    const Bytes plain = photo(folder, p);
    const Bytes original = plain.substr(0, 2) + exifOrientation(6, true) + plain.substr(2);
    const fs::path path = folder / "mutant.jpg";
    const guide::Size frame{494, 656};
    for (std::uint32_t seed = 1; seed <= 400; ++seed) {
        std::mt19937 random(seed);
        const auto below = [&random](std::size_t n) { return std::size_t(random() % n); };
        Bytes bytes = original;
        for (std::size_t flips = 1 + below(8); flips > 0; --flips)
            bytes[below(bytes.size())] ^= char(1 + below(255));
        if (below(4) == 0)
            bytes.resize(below(bytes.size()));
        write(path, bytes);
        const guide::Picture shown = guide::loadPicture(path, frame);
        EXPECT(shown.isNull() || (shown.size() == frame &&
                                  shown.pixels.size() == std::size_t(frame.width) * std::size_t(frame.height)),
               "seed " + std::to_string(seed));
    }
}

// A photo followed by far more than any picture may hold (the video of a
// motion photo): only the picture is decoded; the file's size is no cap.
void trailingData(const fs::path &folder)
{
    photo_jpeg::Photo p;
    p.width = 1600;
    p.height = 1200;
    const Bytes bytes = photo(folder, p);
    const fs::path path = folder / "motion.jpg";
    write(path, bytes);
    std::error_code error;
    fs::resize_file(path, std::uintmax_t(3 * guide::limits::kMaxPictureBytes), error);
    CHECK_FALSE(error);
    const guide::PictureFile file = guide::openPictureFile(path);
    CHECK(bool(file));
    const guide::JpegPicture decoded = guide::decodeJpeg(file.fd(), file.size(), kFrame);
    EXPECT(decoded.failure == JpegFailure::None, name(decoded.failure));
    CHECK(decoded.cost.pictureBytes <= std::int64_t(bytes.size()));
    CHECK(layout(guide::loadPicture(path, kFrame)) == "RBGY");
    // A picture of its own past the cap, made of comments before its frame.
    const Bytes comment = segment(0xFE, std::string(65533, 'c'));
    Bytes padded = bytes.substr(0, 2);
    for (std::int64_t n = 0; n <= guide::limits::kMaxPictureBytes / std::int64_t(comment.size());
         ++n)
        padded += comment;
    padded += bytes.substr(2);
    CHECK(decode(folder, padded, kFrame).failure == JpegFailure::TooLarge);
}

} // namespace

TEST_CASE("everyday quirks around complete data show; lost, corrupt and hostile data is refused; "
          "costly files keep to their budgets")
{
    TempDir folder;
    everydayQuirksAndLostData(folder.path);
    paddingAfterAScan(folder.path);
}

TEST_CASE("the EXIF orientation in both byte orders, all eight values")
{
    TempDir folder;
    exifOrientations(folder.path);
}

TEST_CASE("the decoder's own memory limit stops what the header check would")
{
    TempDir folder;
    decodersOwnMemoryLimit(folder.path);
}

TEST_CASE("thin pictures are decoded small and stretched")
{
    TempDir folder;
    thinPictures(folder.path);
}

TEST_CASE("data after the end marker is never the picture's")
{
    TempDir folder;
    trailingData(folder.path);
}

TEST_CASE("the file as it is at each showing, as far as it was when opened")
{
    TempDir folder;
    fileAsOpened(folder.path);
}

TEST_CASE("flipped and cut bytes end in a picture of the frame's size or none")
{
    TempDir folder;
    survivesMutations(folder.path);
}
