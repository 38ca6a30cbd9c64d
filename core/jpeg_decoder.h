#pragma once
// JPEG decoding through libjpeg-turbo whose own hooks are the guard: every
// limit of picture_limits.h is checked on what the decoder actually meets (its
// headers, each scan it starts, each warning it gives). Only the bytes that
// earn a large coefficient buffer are counted ahead of it, by a walk over the
// markers that decides nothing else.

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
    CoefficientMemory, ///< a multi-scan picture needs more buffered coefficients than the file
                       ///< earns
    TooManyScans,      ///< the decoder met more scans than any encoder writes
    ScanWork,          ///< the scans cost more work than the picture's bytes earn
    RepeatedScan,      ///< a scan sent coefficients again that were already sent
    CpuTime,           ///< the decode used more CPU time than the picture's bytes earn
};

/// What a picture cost the decoder, as far as the decode got.
struct JpegCost
{
    std::int64_t dataBytes = 0;        ///< bytes from the end of the headers to the end of the file
    std::int64_t pictureBlocks = 0;    ///< 8 × 8 blocks of all components
    std::int64_t coefficientBytes = 0; ///< buffered coefficients; 0 for a single-scan picture
    std::int64_t touchedCoefficientBytes = 0; ///< of those, the rows the scans have reached
    std::int64_t work = 0;         ///< coefficient visits of the scan rows decoded or about to be
    std::int64_t outputPixels = 0; ///< pixels at the scale decoded at
    /// Bytes the decoder took from the start marker on, less what it skipped
    /// unread (segments it has no use for, padding): what earns the budgets.
    std::int64_t pictureBytes = 0;
    std::int64_t cpuNanoseconds = 0; ///< CPU time of the decode, on its own thread
    int scans = 0;                   ///< scans the decoder started
    int quirks = 0;                    ///< warnings about quirks around complete data, let pass
    bool arithmetic = false;
};

/// For tests only.
struct DecodeOptions
{
    /// Whether the picture's size is judged from its headers before the decoder
    /// allocates for it. Off, the decoder's own memory limit is what stops a
    /// picture too large for the file.
    bool checkHeaders = true;
    /// CPU time the decode may take instead of what the picture's bytes earn; 0 for that.
    std::int64_t cpuNanoseconds = 0;
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
/// current position and not much past its end marker, at the smallest of
/// libjpeg's scales (1/8 to 8/8) that covers `frame` once the picture is
/// turned upright, or at full size; a thin picture at no more than twice what
/// the frame needs across, if it can.
JpegPicture decodeJpeg(int fd, std::int64_t fileBytes, Size frame, DecodeOptions options = {});

} // namespace guide
