#pragma once
// What a photograph may cost the picture loader, in one place: the loader
// enforces these through the decoder's own hooks, and the fuzz target checks
// every picture that comes out against the same numbers.
//
// Each limit bounds real work or real memory, not a number the file declares,
// and each was chosen from measurements of what real encoders write.

#include <cstdint>

namespace guide::limits {

/// Bytes in one 8 × 8 block of coefficients as the decoder buffers it.
inline constexpr std::int64_t kCoefficientBlockBytes = std::int64_t{64} * 2;

/// Largest file read at all. A 200 MP phone photo at top quality is about
/// 60 MB; the cap keeps one showing from streaming an unbounded file.
inline constexpr std::int64_t kMaxFileBytes = std::int64_t{128} << 20;

/// Huffman coding spends at least one bit on every block of a picture (its DC
/// difference needs a code of one bit or more), so a file whose coded data
/// after the headers is shorter than one bit a block, plus the end marker,
/// cannot hold the picture it declares. Checked before the decoder allocates
/// anything for the picture. Real files hold far more: a flat grey 4000 × 3000
/// picture, Huffman-optimised, spends 2 bits a block at 4:2:0.
inline constexpr std::int64_t kMinHuffmanBitsPerBlock = 1;
inline constexpr std::int64_t kEndMarkerBytes = 2;

/// Arithmetic coding can spend far less than a bit on a block (cjpeg writes a
/// flat 4000 × 3000 picture in 208 bytes), so the file cannot bound what it
/// declares. Arithmetic-coded pictures are bounded by their size instead: no
/// camera or phone writes them, and 1 Mi blocks admits a 24 MP photo at 4:2:0
/// (562,500 blocks), 12 MP at 4:4:4 and 64 MP in grey, while a progressive one
/// holds at most 128 MiB of coefficients.
inline constexpr std::int64_t kMaxArithmeticBlocks = std::int64_t{1} << 20;

/// Blocks of any picture, all components together. A 200 MP phone photo
/// (16320 × 12240) has 4.7 Mi blocks at 4:2:0 and 9.4 Mi at 4:4:4; a picture of
/// this many takes the decoder about 2 s even at an eighth of its size, which
/// is where a photograph stops being one for a 328 × 247 frame.
inline constexpr std::int64_t kMaxPictureBlocks = std::int64_t{1} << 24;

/// Coefficient memory of a progressive (or otherwise multi-scan) picture: the
/// decoder keeps every coefficient of the picture until the last scan. A 48 MP
/// photo at 4:4:4 (8160 × 6120) needs 285.7 MiB, at 4:2:0 142.9 MiB.
inline constexpr std::int64_t kMaxCoefficientBytes = std::int64_t{288} << 20;

/// Scans the decoder starts. libjpeg's progressive script writes 10 for colour
/// and 6 for grey, the scripts of tuned encoders a few dozen.
inline constexpr int kMaxScans = 100;

/// Scan work: the blocks each scan covers, summed over the scans, against the
/// picture's blocks. Every scan is a pass over the blocks of its components
/// even when it codes next to nothing (an end-of-band run of 32,767 blocks
/// costs a few bits), so this, not the file's size, bounds the decoding time.
/// libjpeg's scripts cost 4.7 passes at 4:4:4, 5.3 at 4:2:0 and 6 in grey.
inline constexpr std::int64_t kMaxScanPasses = 16;

/// Whether `dataBytes` of coded data (from the end of the headers to the end of
/// the file) can hold `blocks` blocks.
constexpr bool fileCanHold(std::int64_t blocks, std::int64_t dataBytes, bool arithmetic)
{
    if (arithmetic)
        return blocks <= kMaxArithmeticBlocks;
    return (blocks * kMinHuffmanBitsPerBlock + 7) / 8 + kEndMarkerBytes <= dataBytes;
}

/// Whether the scans decoded so far stay within their budget.
constexpr bool scansAffordable(int scans, std::int64_t scanBlocks, std::int64_t pictureBlocks)
{
    return scans <= kMaxScans && scanBlocks <= kMaxScanPasses * pictureBlocks;
}

} // namespace guide::limits
