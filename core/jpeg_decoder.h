#pragma once
// JPEG decoding through libjpeg-turbo whose own hooks are the guard: the file
// is read once, by the decoder, and every limit of picture_limits.h is checked
// on what the decoder actually meets (its headers, each scan it starts, each
// warning it gives), so nothing reads the file by other rules first.

#include <cstdint>

#include "core/picture.h"

namespace guide {

/// Why a decode ended without a picture.
enum class JpegFailure {
    None,
    Unreadable,        ///< the file could not be read
    Corrupt,           ///< the decoder refused the data or warned about it
    Truncated,         ///< the data ended before the picture did
    CannotHold,        ///< the file is too small to hold the picture it declares
    TooLarge,          ///< more blocks than any photograph for the frame
    CoefficientMemory, ///< a multi-scan picture needs too many buffered coefficients
    TooManyScans,      ///< the decoder met more scans than any encoder writes
    ScanWork,          ///< the scans together pass over the picture too many times
};

/// What a picture cost the decoder, as far as the decode got.
struct JpegCost
{
    std::int64_t dataBytes = 0;        ///< bytes from the end of the headers to the end of the file
    std::int64_t pictureBlocks = 0;    ///< 8 × 8 blocks of all components
    std::int64_t coefficientBytes = 0; ///< buffered coefficients; 0 for a single-scan picture
    std::int64_t scanBlocks = 0;       ///< blocks covered by the scans started, summed
    int scans = 0;                     ///< scans the decoder started
    bool arithmetic = false;
};

struct JpegPicture
{
    Picture image;       ///< as stored (orientation not applied); null on failure
    int orientation = 1; ///< EXIF orientation, 1 to 8
    JpegFailure failure = JpegFailure::None;
    JpegCost cost;
};

/// Whether an EXIF orientation turns the picture by a quarter.
constexpr bool isQuarterTurn(int orientation) { return orientation >= 5 && orientation <= 8; }

/// Decodes the JPEG file open on `fd`, reading at most `fileBytes` from its
/// current position, at the smallest of libjpeg's scales (1/8 to 8/8) that
/// covers `frame` once the picture is turned upright, or at full size.
JpegPicture decodeJpeg(int fd, std::int64_t fileBytes, Size frame);

} // namespace guide
