#pragma once
// What a photograph may cost the picture loader, in one place: the loader
// enforces these through the decoder's own hooks, and the fuzz target checks
// every picture that comes out against the same numbers.
//
// Each limit bounds real work or real memory, not a number the file declares.
// One rule holds them together (below): what a picture may cost is earned by
// its own bytes as the decoder reads them, at the rates that real encoders'
// files cost, over a free allowance that every smooth photograph fits. Below
// the limits, what each warning of the decoder means.

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

// --- The rule: every cost is earned by the picture's own bytes ---
//
// The picture's bytes are those the decoder takes from the start marker on,
// less every segment it skips unread (comments, ICC profiles, thumbnails, any
// APPn) and less padding between segments: only what it decodes. Nothing after
// the end marker is ever read, so a motion photo's video earns nothing.
//
// As the decoder goes, row by row of every scan (its progress monitor), three
// counts must stay within what the picture's bytes read so far earn, each a
// free allowance plus a rate a byte:
//   work          coefficient visits, weighted by what each kind of scan makes
//                 the decoder do (workPerBlock);
//   coefficients  the bytes of the coefficient buffer the scans have reached
//                 (a multi-scan picture only), at the rate of its first scans;
//   CPU time      the backstop: at least kMinCpuNanoseconds, more as the bytes
//                 earn it. The counts keep every file far below it; it stops
//                 whatever work the counts do not foresee.
// The whole coefficient buffer must be earned by the picture's bytes
// (coefficientBudget): before any is allocated, by those to its end marker
// (counted ahead of the decoder when the buffer is larger than what is free),
// and again once the scans are read, by those the decoder did read.
//
// Rates were measured with bench/jpeg_cost on files from cjpeg, jpegtran,
// ImageMagick, Pillow, tools/photo_jpeg's synthetic photographs of 12 to
// 200 MP, smooth and grainy (figures in bench/RESULTS.md).

// --- Coefficient memory ---
//
// A multi-scan picture keeps every coefficient until its last scan, 128 bytes
// a block, allocated before the first scan and touched row by row as its
// first scans reach each row. Every picture may hold what a smooth progressive
// photograph of up to 24 MP at 4:2:0, 12 MP at 4:4:4 or an A4 page in grey at
// 600 dpi needs (69 MiB at most), whatever its bytes: such photographs come in
// well under 1 MiB. Beyond that, real progressive photographs hold 14 to 41
// coefficient bytes per byte of picture (phone-like grain), smooth ones up to
// 88: a picture earns 96 a byte, to a 200 MP photo at 4:4:4 (1143 MiB).
//
// The buffer is earned three times over: before allocation by the picture's
// bytes to its end marker, at 96 a byte (a picture that could not earn it is
// refused at once, so no memory is ever paid for by what follows the end
// marker or by a skipped segment); while the first scans touch it, by the
// picture's bytes so far at kFirstScanCoefficientRate (a Huffman first scan
// spends a bit at least on each block, 1 KiB of buffer a byte; real DC scans
// spend 4 bits or more, arithmetic ones on smooth photos half a bit); and when
// all scans are read, by the bytes read, at 96 a byte. Bytes that follow a
// scan's data before the next marker are read by the decoder and count before
// allocation; the first scans still touch no more than 2 KiB for each byte
// they have decoded, and such bytes, past padding, refuse the picture
// (JWRN_EXTRANEOUS_DATA below).

inline constexpr std::int64_t kFreeCoefficientBytes = std::int64_t{72} << 20;
inline constexpr std::int64_t kCoefficientBytesPerPictureByte = 96;
inline constexpr std::int64_t kFirstScanCoefficientRate = 2048;
/// The most any picture gets: a 200 MP photo at 4:4:4.
inline constexpr std::int64_t kMaxCoefficientBytes = std::int64_t{1152} << 20;

/// Coefficient memory a picture of `pictureBytes` may hold.
constexpr std::int64_t coefficientBudget(std::int64_t pictureBytes)
{
    const std::int64_t earned = kFreeCoefficientBytes +
                                std::clamp<std::int64_t>(pictureBytes, 0, kMaxCoefficientBytes) *
                                    kCoefficientBytesPerPictureByte;
    return std::min(earned, kMaxCoefficientBytes);
}

/// Coefficient memory the first scans may have touched after `pictureBytes`.
constexpr std::int64_t touchedCoefficientBudget(std::int64_t pictureBytes)
{
    const std::int64_t earned = kFreeCoefficientBytes +
                                std::clamp<std::int64_t>(pictureBytes, 0, kMaxCoefficientBytes) *
                                    kFirstScanCoefficientRate;
    return std::min(earned, kMaxCoefficientBytes);
}

// --- Work ---
//
// Counted in coefficient visits: each scan passes over the blocks of its
// components and, in each, over the coefficients of its band, whether the
// file spends bits on them or not. An end-of-band run of 32,767 blocks costs a
// Huffman file a few bits, an arithmetic file's decisions next to none, and an
// arithmetic scan reads zeros past a marker for nothing, so the bytes alone
// bound nothing; the visits do. Per kind of scan, a block costs:
//   Huffman sequential, DC first or refinement,  1 (it pays a bit at least for
//   AC first                                     what it decodes; a block in an
//                                                end-of-band run costs the
//                                                decoder a step, not a band)
//   arithmetic sequential                        64
//   arithmetic DC first                          32 (up to about 32 adaptive
//                                                decisions for a large
//                                                difference, at next to no
//                                                bytes: 87 to 170 ns a block
//                                                measured, the others' visits
//                                                1.6 to 4.7 ns)
//   arithmetic DC refinement                     1
//   Huffman AC refinement, arithmetic AC first   the band's width (each is
//   or refinement                                a pass over the band, even
//                                                in an end-of-band run)
// A progression that sends a coefficient's first scan again, once it has been
// sent, is refused (RepeatedScan): no encoder writes one, libjpeg accepts it
// without a warning, and each repeat costs a full pass.
//
// The visits a scan will make are counted row by row as it runs, against
// what the bytes read so far earn, plus the row about to run. Real files need
// 11 to 41 visits a byte (phone-like grain, quality 90), smooth ones up to 130
// Huffman and 280 arithmetic, most of it in their first scans: a smooth
// 48 MP arithmetic progressive photo has made 179 M visits on 384 KB when
// its last scan, which brings 1.9 MB, begins. The free allowances cover that.

inline constexpr std::int64_t kHuffmanWorkPerPictureByte = 108;
inline constexpr std::int64_t kFreeHuffmanWork = kHuffmanWorkPerPictureByte << 20;
inline constexpr std::int64_t kArithmeticWorkPerPictureByte = 96;
inline constexpr std::int64_t kFreeArithmeticWork = std::int64_t{144} << 20;
inline constexpr std::int64_t kArithmeticDcFirstVisits = 32;
/// The most any picture gets: a 200 MP progressive photo at 4:4:4, Huffman-coded,
/// needs 1.4 G visits (libjpeg itself takes about 3 s on it at 1/8).
inline constexpr std::int64_t kMaxWork = std::int64_t{3} << 30;

/// Visits a scan makes in each block of its band Ss..Se, bits Ah.
constexpr std::int64_t workPerBlock(bool progressive, bool arithmetic, int ss, int se, int ah)
{
    if (!progressive)
        return arithmetic ? 64 : 1;
    if (ss == 0)
        return arithmetic && ah == 0 ? kArithmeticDcFirstVisits : 1;
    if (!arithmetic && ah == 0)
        return 1;
    return se - ss + 1;
}

/// Visits a picture of `pictureBytes` may have the decoder make.
constexpr std::int64_t workBudget(std::int64_t pictureBytes, bool arithmetic)
{
    const std::int64_t rate = arithmetic ? kArithmeticWorkPerPictureByte : kHuffmanWorkPerPictureByte;
    const std::int64_t free = arithmetic ? kFreeArithmeticWork : kFreeHuffmanWork;
    return std::min(free + std::clamp<std::int64_t>(pictureBytes, 0, kMaxWork) * rate, kMaxWork);
}

// --- CPU time: the backstop ---
//
// The decode's own CPU time (its thread's), checked with the counts: at least
// 2 s for any picture, and 300 ns more for each byte of the picture read so
// far. The counts hold a hostile file to about 200 ns a byte; real photographs
// take 20 to 210 ns a byte (libjpeg's own figures; the slowest are arithmetic
// progressive ones) and at most 3 s (200 MP at 4:4:4, progressive).

inline constexpr std::int64_t kMinCpuNanoseconds = 2'000'000'000;
inline constexpr std::int64_t kCpuNanosecondsPerPictureByte = 300;

/// CPU time a picture of `pictureBytes` may take to decode.
constexpr std::int64_t cpuBudgetNanoseconds(std::int64_t pictureBytes)
{
    return kMinCpuNanoseconds +
           std::clamp<std::int64_t>(pictureBytes, 0, kMaxPictureBytes) * kCpuNanosecondsPerPictureByte;
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
//                          entropy data skipped); after a scan accepted as
//                          padding when they are up to kMaxPaddingBytes of
//                          zero or fill (0xFF) bytes, else refused (the
//                          scan's data went on past its end: corrupt);
//                          accepted between segments before the first scan.
//                          Either way they earn nothing
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

/// Zero or fill bytes accepted before the marker that follows a scan, when the
/// scans before them were whole (padding that encoders and tools leave before
/// the end marker or between scans; other viewers show such files).
inline constexpr int kMaxPaddingBytes = 4096;

} // namespace guide::limits
