#pragma once
// What a photograph may cost the picture loader, in one place: the loader
// enforces these through the decoder's own hooks, and the fuzz target checks
// every picture that comes out against the same numbers.
//
// Each limit bounds real work or real memory, not a number the file declares.
// The budgets follow the file's bytes: a file may cost in proportion to its
// size, at the rates that real encoders' files cost, and a small file a fixed
// allowance. The rates were measured with bench/jpeg_cost on files from
// cjpeg, jpegtran, ImageMagick, Pillow and photographs of 12 to 200 MP under a
// sensor-like grain (tools/jpeg_corpus.py, tools/photo_jpeg/write_photo; figures in
// bench/RESULTS.md). Below them, what each warning of the decoder means.

#include <algorithm>
#include <cstdint>

namespace guide::limits {

/// Bytes in one 8 × 8 block of coefficients as the decoder buffers it.
inline constexpr std::int64_t kCoefficientBlockBytes = std::int64_t{64} * 2;

/// Bytes of the picture itself, from the start marker to the end marker, that
/// the decoder reads at most. A 200 MP phone photo at top quality is about
/// 60 MB. Whatever follows the end marker (the video of a motion photo, any
/// size) is never decoded and does not count.
inline constexpr std::int64_t kMaxPictureBytes = std::int64_t{128} << 20;

/// Huffman coding spends at least one bit on every block of a picture (its DC
/// difference needs a code of one bit or more), so a file whose bytes after
/// the headers are fewer than one bit a block, plus the end marker, cannot
/// hold the picture it declares. Checked before the decoder allocates anything
/// for the picture. Arithmetic coding has no such floor (cjpeg writes a flat
/// 4000 × 3000 picture in 7 KB); its work budget below bounds it instead.
inline constexpr std::int64_t kMinHuffmanBitsPerBlock = 1;
inline constexpr std::int64_t kEndMarkerBytes = 2;

/// Blocks of any picture, all components together. A 200 MP phone photo
/// (16320 × 12240) has 4.7 Mi blocks at 4:2:0 and 9.4 Mi at 4:4:4.
inline constexpr std::int64_t kMaxPictureBlocks = std::int64_t{1} << 24;

/// Pixels the decoder writes out at the scale it decodes at. The scale is
/// the smallest that covers the frame, given up as far as 1/8 where covering
/// one side would make the other more than twice what the frame needs (a
/// thin picture); a 200 MP photo at 1/8 is 3.1 Mi pixels.
inline constexpr std::int64_t kMaxOutputPixels = std::int64_t{4} << 20;

// --- Coefficient memory ---
//
// A progressive (or otherwise multi-scan) picture keeps every coefficient
// until its last scan: 128 bytes a block, allocated before the first scan, so
// it is judged against the file's size. Real progressive photos hold 14 to 41
// bytes of coefficients per byte of file (phone-like grain at quality 90,
// 4:2:0 and 4:4:4), smooth ones up to 88. A file under 1 MiB gets 56 MiB,
// which any photo of 12 MP at 4:2:0 needs at most (34 MiB), so no small file
// costs more than 64 MiB; a larger file gets 96 bytes for each of its bytes,
// above what even a smooth photo needs: a 200 MP photo at 4:4:4 (1143 MiB)
// needs 12.5 MB of file, at 4:2:0 (574 MiB) 6.3 MB, where phones write 30 to 60.

inline constexpr std::int64_t kFreeCoefficientBytes = std::int64_t{56} << 20;
inline constexpr std::int64_t kFreeCoefficientFileBytes = std::int64_t{1} << 20;
inline constexpr std::int64_t kCoefficientBytesPerFileByte = 96;
/// The most any file gets: a 200 MP photo at 4:4:4.
inline constexpr std::int64_t kMaxCoefficientBytes = std::int64_t{1152} << 20;

/// Coefficient memory a file of `fileBytes` may have the decoder allocate.
constexpr std::int64_t coefficientBudget(std::int64_t fileBytes)
{
    if (fileBytes < kFreeCoefficientFileBytes)
        return kFreeCoefficientBytes;
    const std::int64_t earned =
        std::clamp<std::int64_t>(fileBytes, 0, kMaxCoefficientBytes) * kCoefficientBytesPerFileByte;
    return std::min(earned, kMaxCoefficientBytes);
}

// --- Work ---
//
// The decoder's work is counted in coefficient visits: each scan passes over
// the blocks of its components and, in each, over the coefficients of its
// band (1 for a DC scan, 64 for a sequential one), whether the file spends
// bits on them or not. An end-of-band run of 32,767 blocks costs a Huffman
// file a few bits, an arithmetic file's decisions cost next to none, so the
// bytes alone bound nothing; the visits do. A Huffman scan that cannot skip
// blocks (sequential, DC) pays at least a bit for each coefficient it decodes
// and counts one visit a block. Each scan's visits are added before it
// starts, against a budget earned by the file's size.
//
// Measured costs, one core of this machine's kind: a Huffman file made of
// end-of-band runs and refinement scans takes 1.9 ns a visit, an arithmetic
// one decoding zeros 1.6 to 3.4 ns; real files cost more a visit (up to 11 ns,
// arithmetic) but spend bytes on it. Real files need 11 to 41 visits a byte
// (phone-like grain, quality 90; smooth photos at quality 90 up to 87
// Huffman, 103 arithmetic); libjpeg's progressive script is 5.3 passes at
// 4:2:0. A file of up to 1 MiB gets what 1 MiB earns, which keeps any file
// under 1 MiB, however made, under about 0.22 s of decoding.

inline constexpr std::int64_t kHuffmanWorkPerFileByte = 108;
inline constexpr std::int64_t kFreeHuffmanWork = kHuffmanWorkPerFileByte << 20;
inline constexpr std::int64_t kArithmeticWorkPerFileByte = 60;
inline constexpr std::int64_t kFreeArithmeticWork = kArithmeticWorkPerFileByte << 20;
/// The most any file gets: a 200 MP progressive photo at 4:4:4, Huffman-coded,
/// needs 1.4 G visits (libjpeg itself takes about 4 s on it at 1/8).
inline constexpr std::int64_t kMaxWork = std::int64_t{3} << 30;

/// Visits a scan makes in each block of its band Ss..Se.
constexpr std::int64_t workPerBlock(bool progressive, bool arithmetic, int ss, int se)
{
    if (progressive)
        return ss == 0 ? 1 : se - ss + 1;
    return arithmetic ? 64 : 1;
}

/// Visits a file of `fileBytes` may have the decoder make.
constexpr std::int64_t workBudget(std::int64_t fileBytes, bool arithmetic)
{
    const std::int64_t rate = arithmetic ? kArithmeticWorkPerFileByte : kHuffmanWorkPerFileByte;
    const std::int64_t free = arithmetic ? kFreeArithmeticWork : kFreeHuffmanWork;
    return std::clamp(std::clamp<std::int64_t>(fileBytes, 0, kMaxWork) * rate, free, kMaxWork);
}

/// Scans the decoder starts. libjpeg's progressive script writes 10 for colour
/// and 6 for grey, the scripts of tuned encoders a few dozen.
inline constexpr int kMaxScans = 100;

/// Whether `dataBytes` of coded data (from the end of the headers to the end of
/// the file) can hold `blocks` blocks.
constexpr bool fileCanHold(std::int64_t blocks, std::int64_t dataBytes, bool arithmetic)
{
    if (arithmetic)
        return true;
    return (blocks * kMinHuffmanBitsPerBlock + 7) / 8 + kEndMarkerBytes <= dataBytes;
}

// --- Warnings: lost data refused, quirks around complete data accepted ---
//
// libjpeg-turbo warns and goes on; the loader decides by what each warning
// means (jerror.h's codes):
//   JWRN_HIT_MARKER        refused: the entropy decoder needed bits past a
//                          marker or the file's end, and would paint grey
//                          (a file cut inside a scan, end marker added or not)
//   JWRN_MUST_RESYNC       refused: a restart marker was missing or wrong, and
//                          the decoder skipped to the next one
//   JWRN_HUFF_BAD_CODE     refused: corrupt entropy data
//   JWRN_ARITH_BAD_CODE    refused: corrupt entropy data
//   JWRN_BOGUS_PROGRESSION refused: a refinement scan without the scan it
//                          refines: a scan was lost or the file is corrupt
//   JWRN_EXTRANEOUS_DATA   bytes that are no marker, skipped before a marker:
//                          refused before a restart marker (inside a scan,
//                          entropy data skipped) and after a scan when more
//                          than kMaxStrayBytes (the scan's data went on past
//                          its end: corrupt); accepted between segments and
//                          a few before the marker after a scan (the end
//                          marker, or the next scan's headers)
//   JWRN_JFIF_MAJOR        accepted: an unknown JFIF version (2.01); the
//                          frame itself says all the decoder needs
//   JWRN_ADOBE_XFORM       accepted: an unknown Adobe transform code; the
//                          decoder takes YCbCr (three components) or YCCK
//   JWRN_NOT_SEQUENTIAL    accepted: a sequential scan whose Ss, Se, Ah, Al
//                          are not 0, 63, 0, 0 (some encoders write zeros);
//                          sequential decoding reads all 64 coefficients
//   JWRN_JPEG_EOF          refused if ever given; the loader's own source
//                          handles the end of the file (below)
//   JWRN_TOO_MUCH_DATA, JWRN_BOGUS_ICC, any other: refused; the loader reads
//                          exactly the rows there are and no ICC profile
//
// The end of the file before the end marker: the source hands the decoder an
// end marker, as libjpeg's own sources do. The data is complete, and shows,
// when no scan wanted bits it did not get (no JWRN_HIT_MARKER); an arithmetic
// scan, whose decoder takes zeros past a marker without a warning, must have
// been in its last row of MCUs; and the scans must have covered the picture:
// every component scanned and, in a progressive picture, every coefficient
// refined to its last bit. Otherwise the file was cut.
//
// A file cut inside an arithmetic scan with an end marker added back cannot be
// told from a whole one: arithmetic decoding defines a marker in the data as
// the end of the scan's bytes, and encoders drop the zero bytes at the end.

/// Non-marker bytes accepted before the marker that follows a scan.
inline constexpr int kMaxStrayBytes = 16;

} // namespace guide::limits
