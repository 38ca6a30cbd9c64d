// libjpeg-turbo with its hooks as the guard:
//  - the source manager reads the file through a small buffer, never past the
//    size the file had when it was opened nor far past the picture's end
//    marker; where the bytes end first it hands the decoder an end marker, and
//    whether the data was complete is judged afterwards (picture_limits.h);
//  - the warning handler decides by what each warning means: lost or corrupt
//    data ends the decode, a quirk around complete data does not;
//  - the progress monitor sees every scan the decoder starts and every row of
//    it, and holds the work, the coefficient rows reached and the CPU time so
//    far to what the picture's bytes read so far earn (picture_limits.h);
//  - only APP1 segments get a handler, which reads the EXIF orientation into a
//    fixed buffer; every other segment is skipped, none is kept, and neither
//    earns the picture anything, nor does padding;
//  - before the decoder allocates for the picture, the file must be able to
//    hold it and its coefficients must fit what the picture's bytes earn,
//    which is also the decoder's own memory limit behind that check; past
//    what every picture may hold, those bytes are counted to the end marker
//    first (jpeg_extent.h), the one read ahead of the decoder.
//
// libjpeg reports errors by calling a handler that must not return; the
// documented way out is longjmp. It jumps only over libjpeg's C frames and
// over our callbacks and `guarded`, none of which holds an object with a
// destructor; everything that owns a resource lives in `decodeJpeg`, above the
// jump.

#include "core/jpeg_decoder.h"

#include "core/exif_orientation.h"
#include "core/jpeg_extent.h"
#include "core/picture_limits.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE
#include <cstring>
#include <memory>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <ctime>
#include <unistd.h>
#endif

namespace guide {

namespace {

// Read in windows of this size: large enough that the system calls cost
// nothing next to decoding, small enough never to matter in memory.
constexpr std::size_t kReadWindow = std::size_t{128} << 10;

// Memory libjpeg may hold besides a coefficient buffer (tables, row buffers
// of a 65,535-pixel-wide picture), in its limit for virtual arrays: only the
// coefficient buffer of a multi-scan picture is one, and its budget is checked
// before it is allocated; the limit is the decoder's own backstop behind that.
constexpr std::int64_t kDecoderOverheadBytes = std::int64_t{16} << 20;

// The byte order of a 0xFFRRGGBB pixel in memory.
constexpr J_COLOR_SPACE kRgb32 =
    std::endian::native == std::endian::little ? JCS_EXT_BGRX : JCS_EXT_XRGB;

struct Decoder
{
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    jpeg_source_mgr source{};
    jpeg_progress_mgr progress{};
    std::jmp_buf escape{};
    bool created = false;

    int fd = -1;
    std::int64_t fileBytes = 0;
    std::int64_t unread = 0;             ///< bytes of the file not read yet
    std::int64_t skipped = 0;            ///< bytes taken but skipped unread: they earn nothing
    bool ended = false;                  ///< the file ended before its end marker
    int rowsLeftAtEnd = 0;               ///< iMCU rows the scan had to go when the file ended
    std::uint32_t scannedComponents = 0; ///< bit i: component i was in a scan
    DecodeOptions options;

    // The scans as they run.
    std::int64_t finishedWork = 0; ///< visits of the scans before the current one
    std::int64_t scanWork = 0;     ///< visits of the current scan, all rows
    /// The bit each coefficient was last sent down to; -1 until its first scan.
    std::array<std::array<int, DCTSIZE2>, MAX_COMPONENTS> sentTo{};
    std::array<std::int64_t, MAX_COMPONENTS> rowsReached{}; ///< block rows of each buffer touched
    std::int64_t cpuAtStart = 0;

    JpegFailure failure = JpegFailure::None;
    JpegCost cost;
    int orientation = 0; ///< 0 until an EXIF segment is met

    JOCTET *rows = nullptr; ///< the output picture
    std::size_t stride = 0;

    std::array<JOCTET, kReadWindow> window{};
    /// The last bytes of the window before this one, for padding that spans two.
    std::array<JOCTET, limits::kMaxPaddingBytes> tail{};
    std::size_t tailBytes = 0;
    std::array<std::uint8_t, 0xFFFF> segment{};
};

// CPU time of the calling thread: the decode's own, whatever else the program
// does. A browser has no such clock, and no other thread either: there the
// decode's own time is the time that passes while it runs.
std::int64_t threadCpuNanoseconds()
{
#if defined(__EMSCRIPTEN__)
    timespec t{};
    if (clock_gettime(CLOCK_MONOTONIC, &t) != 0)
        return 0;
    return std::int64_t(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
#elif defined(_WIN32)
    FILETIME created, exited, kernel, user;
    if (!GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user))
        return 0;
    const auto ticks = [](FILETIME t) {
        return std::int64_t(std::uint64_t(t.dwHighDateTime) << 32 | t.dwLowDateTime);
    };
    return (ticks(kernel) + ticks(user)) * 100;
#else
    timespec t{};
    if (clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t) != 0)
        return 0;
    return std::int64_t(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
#endif
}

Decoder &decoderOf(j_common_ptr common) { return *static_cast<Decoder *>(common->client_data); }
Decoder &decoderOf(j_decompress_ptr info) { return *static_cast<Decoder *>(info->client_data); }

[[noreturn]] void fail(Decoder &d, JpegFailure why)
{
    if (d.failure == JpegFailure::None)
        d.failure = why;
    std::longjmp(d.escape, 1);
}

// --- Errors and warnings ---

[[noreturn]] void errorExit(j_common_ptr common)
{
    // Past the memory limit, libjpeg asks for a backing store it does not have.
    const bool memory = common->err->msg_code == JERR_NO_BACKING_STORE ||
                        common->err->msg_code == JERR_OUT_OF_MEMORY;
    fail(decoderOf(common), memory ? JpegFailure::CoefficientMemory : JpegFailure::Corrupt);
}

// Whether the `count` bytes the decoder has just skipped, right before where
// it reads now, are all zero or fill bytes.
bool isPadding(const Decoder &d, int count)
{
    const jpeg_source_mgr &src = d.source;
    const bool inWindow =
        src.next_input_byte >= d.window.data() && src.next_input_byte <= d.window.data() + d.window.size();
    const std::size_t here = inWindow ? std::size_t(src.next_input_byte - d.window.data()) : 0;
    if (count < 0 || std::size_t(count) > here + d.tailBytes)
        return false;
    const auto padding = [](JOCTET b) { return b == 0x00 || b == 0xFF; };
    const std::size_t fromWindow = std::min(std::size_t(count), here);
    const std::size_t fromTail = std::size_t(count) - fromWindow;
    return std::all_of(d.window.data() + here - fromWindow, d.window.data() + here, padding) &&
           std::all_of(d.tail.data() + d.tailBytes - fromTail, d.tail.data() + d.tailBytes, padding);
}

// What a warning means; the rule for each code is written in picture_limits.h.
JpegFailure warningMeans(const Decoder &d, const jpeg_error_mgr &err)
{
    switch (err.msg_code) {
    case JWRN_JFIF_MAJOR:
    case JWRN_ADOBE_XFORM:
    case JWRN_NOT_SEQUENTIAL:
        return JpegFailure::None;
    case JWRN_EXTRANEOUS_DATA: {
        const int skipped = err.msg_parm.i[0];
        const int marker = err.msg_parm.i[1];
        if (marker >= JPEG_RST0 && marker <= JPEG_RST0 + 7)
            return JpegFailure::Corrupt;
        return d.cost.scans == 0 || (skipped <= limits::kMaxPaddingBytes && isPadding(d, skipped))
                   ? JpegFailure::None
                   : JpegFailure::Corrupt;
    }
    case JWRN_HIT_MARKER:
    case JWRN_JPEG_EOF:
        return JpegFailure::Truncated;
    default:
        return JpegFailure::Corrupt;
    }
}

void emitMessage(j_common_ptr common, int level)
{
    if (level >= 0)
        return; // trace messages
    Decoder &d = decoderOf(common);
    if (const JpegFailure why = warningMeans(d, *common->err); why != JpegFailure::None)
        fail(d, why);
    if (common->err->msg_code == JWRN_EXTRANEOUS_DATA)
        d.skipped += common->err->msg_parm.i[0];
    ++d.cost.quirks;
}

void outputMessage(j_common_ptr) {}

// --- The file ---

void initSource(j_decompress_ptr) {}
void termSource(j_decompress_ptr) {}

// Whether the entropy decoder is inside a scan's data.
bool inScan(const jpeg_decompress_struct &info)
{
    return info.input_scan_number > 0 && info.unread_marker == 0 &&
           info.input_iMCU_row < info.total_iMCU_rows;
}

// Keeps the last bytes of the window the decoder has just used up, after
// those kept before, for a run of padding that goes on into the next window.
void keepTail(Decoder &d)
{
    const jpeg_source_mgr &src = d.source;
    if (src.next_input_byte < d.window.data() || src.next_input_byte > d.window.data() + d.window.size())
        return;
    const auto used = std::size_t(src.next_input_byte - d.window.data());
    const std::size_t keep = std::min(used, d.tail.size());
    const std::size_t old = std::min(d.tailBytes, d.tail.size() - keep);
    std::memmove(d.tail.data(), d.tail.data() + d.tailBytes - old, old);
    std::memcpy(d.tail.data() + old, src.next_input_byte - keep, keep);
    d.tailBytes = old + keep;
}

// Up to `count` bytes of the file; 0 at its end, -1 on an error.
std::int64_t readFile(int fd, JOCTET *into, std::size_t count)
{
#ifdef _WIN32
    return ::_read(fd, into, unsigned(count));
#else
    ssize_t got;
    do
        got = ::read(fd, into, count);
    while (got < 0 && errno == EINTR);
    return got;
#endif
}

// Moves the file's position by `offset` bytes.
bool seekFile(int fd, std::int64_t offset)
{
#ifdef _WIN32
    return ::_lseeki64(fd, offset, SEEK_CUR) >= 0;
#else
    return ::lseek(fd, off_t(offset), SEEK_CUR) >= 0;
#endif
}

boolean fillInput(j_decompress_ptr info)
{
    Decoder &d = decoderOf(info);
    keepTail(d);
    if (d.fileBytes - d.unread >= limits::kMaxPictureBytes)
        fail(d, JpegFailure::TooLarge);
    const std::size_t want = std::size_t(std::min<std::int64_t>(d.unread, kReadWindow));
    if (want == 0) {
        // The file ended before its end marker: hand the decoder one, once,
        // and judge afterwards whether the data before it was whole.
        if (d.ended)
            fail(d, JpegFailure::Truncated);
        d.ended = true;
        if (inScan(*info))
            d.rowsLeftAtEnd = int(info->total_iMCU_rows - info->input_iMCU_row);
        static const JOCTET endMarker[] = {0xFF, JPEG_EOI};
        info->src->next_input_byte = endMarker;
        info->src->bytes_in_buffer = sizeof endMarker;
        return TRUE;
    }
    const std::int64_t got = readFile(d.fd, d.window.data(), want);
    if (got <= 0)
        fail(d, got == 0 ? JpegFailure::Truncated : JpegFailure::Unreadable);
    d.unread -= got;
    info->src->next_input_byte = d.window.data();
    info->src->bytes_in_buffer = std::size_t(got);
    return TRUE;
}

// Segments skipped whole (comments, ICC profiles, thumbnails) are stepped over
// in the file, not read, and earn nothing.
void skipInput(j_decompress_ptr info, long count)
{
    Decoder &d = decoderOf(info);
    jpeg_source_mgr &src = *info->src;
    if (count <= 0)
        return;
    if (std::size_t(count) <= src.bytes_in_buffer) {
        d.skipped += count;
        src.next_input_byte += count;
        src.bytes_in_buffer -= std::size_t(count);
        return;
    }
    d.skipped += count;
    d.tailBytes = 0; // what comes next does not follow what was kept
    const std::int64_t beyond = count - std::int64_t(src.bytes_in_buffer);
    src.bytes_in_buffer = 0;
    if (beyond > d.unread)
        fail(d, JpegFailure::Truncated);
    if (!seekFile(d.fd, beyond))
        fail(d, JpegFailure::Unreadable);
    d.unread -= beyond;
}

std::uint8_t nextByte(j_decompress_ptr info)
{
    if (info->src->bytes_in_buffer == 0)
        fillInput(info);
    --info->src->bytes_in_buffer;
    return *info->src->next_input_byte++;
}

// Bytes the decoder has taken from the file so far.
std::int64_t consumed(const Decoder &d)
{
    return d.ended ? d.fileBytes : d.fileBytes - d.unread - std::int64_t(d.source.bytes_in_buffer);
}

// --- Metadata: the first EXIF segment's orientation, nothing kept ---

boolean readApp1(j_decompress_ptr info)
{
    Decoder &d = decoderOf(info);
    const int high = nextByte(info);
    const int length = (high << 8 | nextByte(info)) - 2;
    if (length < 0)
        fail(d, JpegFailure::Corrupt);
    d.skipped += 2; // the length; skipInput counts the rest, or the loop below
    if (d.orientation != 0) {
        skipInput(info, length);
        return TRUE;
    }
    for (int at = 0; at < length;) {
        if (info->src->bytes_in_buffer == 0)
            fillInput(info);
        const std::size_t n = std::min(std::size_t(length - at), info->src->bytes_in_buffer);
        std::memcpy(d.segment.data() + at, info->src->next_input_byte, n);
        info->src->next_input_byte += n;
        info->src->bytes_in_buffer -= n;
        at += int(n);
    }
    d.skipped += length;
    d.orientation = exifOrientation(std::span(d.segment.data(), std::size_t(length)));
    return TRUE;
}

// --- Scans ---

// Bytes of the picture the decoder has read so far: what earns its budgets.
std::int64_t pictureBytes(const Decoder &d) { return consumed(d) - d.skipped; }

// A scan's visits over all its rows: the blocks it passes over, each weighted
// by what its kind of scan makes the decoder do there (picture_limits.h).
std::int64_t scanWork(const jpeg_decompress_struct &info)
{
    std::int64_t blocks = 0;
    if (info.comps_in_scan == 1) {
        const jpeg_component_info &c = *info.cur_comp_info[0];
        blocks = std::int64_t{c.width_in_blocks} * c.height_in_blocks;
    } else {
        blocks = std::int64_t{info.MCUs_per_row} * info.MCU_rows_in_scan * info.blocks_in_MCU;
    }
    return blocks * limits::workPerBlock(info.progressive_mode, info.arith_code, info.Ss, info.Se,
                                         info.Ah);
}

// A new scan: counted, and refused if it sends again what was sent already. A
// first scan of a coefficient (Ah 0) that had one is such a repeat, and so is
// a second sequential scan of a component; libjpeg's own check refuses the
// other broken progressions (JWRN_BOGUS_PROGRESSION).
void startScan(Decoder &d)
{
    const jpeg_decompress_struct &info = d.info;
    ++d.cost.scans;
    if (d.cost.scans > limits::kMaxScans)
        fail(d, JpegFailure::TooManyScans);
    for (int i = 0; i < info.comps_in_scan; ++i) {
        const int c = info.cur_comp_info[i]->component_index;
        if (c < 0 || c >= MAX_COMPONENTS)
            fail(d, JpegFailure::Corrupt);
        if (!info.progressive_mode && (d.scannedComponents >> c & 1u) != 0)
            fail(d, JpegFailure::RepeatedScan);
        d.scannedComponents |= 1u << c;
        for (int k = info.Ss; info.progressive_mode && k <= info.Se && k < DCTSIZE2; ++k) {
            if (info.Ah == 0 && d.sentTo[c][k] >= 0)
                fail(d, JpegFailure::RepeatedScan);
            d.sentTo[c][k] = info.Al;
        }
    }
    d.finishedWork += d.scanWork;
    d.scanWork = scanWork(info);
}

// The row the scan is about to decode, and every row before it: their work,
// the coefficient rows they reach and the CPU time so far, against what the
// picture's bytes so far earn.
void accountRow(Decoder &d)
{
    const jpeg_decompress_struct &info = d.info;
    const std::int64_t bytes = pictureBytes(d);
    const std::int64_t rows = std::max<std::int64_t>(info.total_iMCU_rows, 1);
    const std::int64_t done = std::min<std::int64_t>(info.input_iMCU_row + 1, rows);
    const std::int64_t work = std::max(d.cost.work, d.finishedWork + d.scanWork * done / rows);
    if (work > limits::workBudget(bytes, d.cost.arithmetic))
        fail(d, JpegFailure::ScanWork);
    d.cost.work = work;
    if (d.cost.coefficientBytes > 0) {
        std::int64_t touched = 0;
        for (int i = 0; i < info.comps_in_scan; ++i) {
            const jpeg_component_info &c = *info.cur_comp_info[i];
            std::int64_t &reached = d.rowsReached[std::size_t(c.component_index)];
            reached = std::max(reached, done * c.v_samp_factor);
        }
        for (int ci = 0; ci < info.num_components; ++ci) {
            const jpeg_component_info &c = info.comp_info[ci];
            const std::int64_t high = (std::int64_t{c.height_in_blocks} + c.v_samp_factor - 1) /
                                      c.v_samp_factor * c.v_samp_factor;
            const std::int64_t wide = (std::int64_t{c.width_in_blocks} + c.h_samp_factor - 1) /
                                      c.h_samp_factor * c.h_samp_factor;
            touched += std::min(d.rowsReached[std::size_t(ci)], high) * wide *
                       limits::kCoefficientBlockBytes;
        }
        if (touched > limits::touchedCoefficientBudget(bytes))
            fail(d, JpegFailure::CoefficientMemory); // before the decoder reaches the row
        d.cost.touchedCoefficientBytes = touched;
    }
}

void checkCpuTime(Decoder &d)
{
    d.cost.cpuNanoseconds = threadCpuNanoseconds() - d.cpuAtStart;
    const std::int64_t allowed = d.options.cpuNanoseconds > 0
                                     ? d.options.cpuNanoseconds
                                     : limits::cpuBudgetNanoseconds(pictureBytes(d));
    if (d.cost.cpuNanoseconds > allowed)
        fail(d, JpegFailure::CpuTime);
}

void monitorProgress(j_common_ptr common)
{
    Decoder &d = decoderOf(common);
    const jpeg_decompress_struct &info = d.info;
    while (d.cost.scans < info.input_scan_number)
        startScan(d);
    if (info.input_scan_number > 0 && info.input_iMCU_row < info.total_iMCU_rows)
        accountRow(d);
    checkCpuTime(d);
}

// Whether the scans covered the picture: every component, and in a
// progressive picture every coefficient to its last bit.
bool scansCoverPicture(const jpeg_decompress_struct &info, std::uint32_t scanned)
{
    for (int c = 0; c < info.num_components; ++c) {
        if ((scanned >> c & 1u) == 0)
            return false;
        for (int k = 0; info.progressive_mode && k < DCTSIZE2; ++k)
            if (info.coef_bits[c][k] != 0)
                return false;
    }
    return true;
}

// --- The steps, each under the error trap ---

[[gnu::noinline]] bool guarded(Decoder &d, void (*step)(Decoder &))
{
    if (setjmp(d.escape) != 0)
        return false;
    step(d);
    return true;
}

void create(Decoder &d)
{
    jpeg_create_decompress(&d.info);
    d.created = true;
    d.info.client_data = &d;
    d.source.init_source = initSource;
    d.source.fill_input_buffer = fillInput;
    d.source.skip_input_data = skipInput;
    d.source.resync_to_restart = jpeg_resync_to_restart;
    d.source.term_source = termSource;
    d.info.src = &d.source;
    d.progress.progress_monitor = monitorProgress;
    d.info.progress = &d.progress;
    jpeg_set_marker_processor(&d.info, JPEG_APP0 + 1, readApp1);
}

void readHeader(Decoder &d) { jpeg_read_header(&d.info, TRUE); }

void calcOutput(Decoder &d) { jpeg_calc_output_dimensions(&d.info); }

void decodeRows(Decoder &d)
{
    jpeg_decompress_struct &info = d.info;
    jpeg_start_decompress(&info);
    // A multi-scan picture's scans have all been read by now, and its bytes
    // must have earned the whole of its coefficient buffer.
    if (d.ended && !scansCoverPicture(info, d.scannedComponents))
        fail(d, JpegFailure::Truncated);
    if (d.cost.coefficientBytes > limits::coefficientBudget(pictureBytes(d)))
        fail(d, JpegFailure::CoefficientMemory);
    while (info.output_scanline < info.output_height) {
        std::array<JSAMPROW, 8> rows{};
        const JDIMENSION count =
            std::min<JDIMENSION>({JDIMENSION(rows.size()), JDIMENSION(info.rec_outbuf_height),
                                  info.output_height - info.output_scanline});
        for (JDIMENSION i = 0; i < count; ++i)
            rows[i] = d.rows + (info.output_scanline + i) * d.stride;
        jpeg_read_scanlines(&info, rows.data(), count);
    }
    jpeg_finish_decompress(&info);
    // An arithmetic decoder takes zeros past the end without a warning: only
    // in its last row of MCUs may a scan have wanted more than the file had.
    if (d.ended && (d.rowsLeftAtEnd > 1 && d.cost.arithmetic))
        fail(d, JpegFailure::Truncated);
}

// The bytes the picture will have earned by its end marker: those read so far,
// and those its markers say are still to come, counted by walking them ahead
// of the decoder (which then reads them itself); -1 if the file could not be
// read.
std::int64_t bytesToEnd(Decoder &d)
{
    JpegExtent extent;
    bool going = extent.take({d.source.next_input_byte, d.source.bytes_in_buffer});
    std::vector<JOCTET> ahead(kReadWindow);
    const std::int64_t most = std::min(d.unread, limits::kMaxPictureBytes);
    std::int64_t read = 0;
    while (going && read < most) {
        const std::int64_t got =
            readFile(d.fd, ahead.data(), std::size_t(std::min<std::int64_t>(most - read, kReadWindow)));
        if (got <= 0)
            break; // the decoder meets the same end, or error, itself
        read += got;
        going = extent.take({ahead.data(), std::size_t(got)});
    }
    if (!seekFile(d.fd, -read))
        return -1;
    return pictureBytes(d) + extent.pictureBytes();
}

// What the headers declare, against the limits that apply before allocation.
JpegFailure judgeHeaders(Decoder &d)
{
    const jpeg_decompress_struct &info = d.info;
    JpegCost &cost = d.cost;
    cost.arithmetic = info.arith_code;
    cost.dataBytes = d.fileBytes - consumed(d);
    for (int ci = 0; ci < info.num_components; ++ci) {
        const jpeg_component_info &c = info.comp_info[ci];
        cost.pictureBlocks += std::int64_t{c.width_in_blocks} * c.height_in_blocks;
        if (jpeg_has_multiple_scans(&d.info)) {
            // As libjpeg sizes the buffer: whole MCUs of each component.
            const auto round = [](std::int64_t n, int to) { return (n + to - 1) / to * to; };
            cost.coefficientBytes += round(c.width_in_blocks, c.h_samp_factor) *
                                     round(c.height_in_blocks, c.v_samp_factor) *
                                     limits::kCoefficientBlockBytes;
        }
    }
    // Before anything is allocated, the picture's bytes must be able to earn
    // the buffer (those the decoder reads will be held to it as they come).
    // Past what every picture may hold, they are counted to the end marker
    // first: nothing after it, and no skipped segment, earns memory that the
    // first scans would touch before the picture could be judged. The
    // decoder's own limit follows the same figure, whether or not the checks
    // below run (a test skips them to reach it).
    std::int64_t earnedBytes = 0;
    if (cost.coefficientBytes > limits::kFreeCoefficientBytes) {
        earnedBytes = bytesToEnd(d);
        if (earnedBytes < 0)
            return JpegFailure::Unreadable;
    }
    const std::int64_t earnable = limits::coefficientBudget(earnedBytes);
    d.info.mem->max_memory_to_use = long(earnable + kDecoderOverheadBytes);
    if (!d.options.checkHeaders)
        return JpegFailure::None;
    if (cost.pictureBlocks > limits::kMaxPictureBlocks)
        return JpegFailure::TooLarge;
    if (!limits::fileCanHold(cost.pictureBlocks, cost.dataBytes, cost.arithmetic))
        return JpegFailure::CannotHold;
    if (cost.coefficientBytes > earnable)
        return JpegFailure::CoefficientMemory;
    return JpegFailure::None;
}

// The smallest scale n/8 at which the picture covers `frame`, n a power of
// two: libjpeg-turbo has vector code for the 8, 4, 2 and 1 point inverse DCTs
// only. At 5/8 a 640 × 480 photo spent two fifths of its decoding in the plain
// 10- and 5-point ones and took longer than at full size. Where covering one
// direction makes the other more than twice what the frame needs (a thin
// picture: 327 × 65,500 covers 328 × 247 at no scale), the scale goes down
// again, to 1/8 at the least: the picture is stretched in the direction it
// falls short, and never decoded far larger than it is shown.
int scaleEighths(Size picture, Size frame)
{
    const auto scaled = [](int side, int n) { return (std::int64_t{side} * n + 7) / 8; };
    int n = 1;
    while (n < 8 &&
           (scaled(picture.width, n) < frame.width || scaled(picture.height, n) < frame.height))
        n *= 2;
    while (n > 1 && (scaled(picture.width, n) > 2 * std::int64_t{frame.width} ||
                     scaled(picture.height, n) > 2 * std::int64_t{frame.height}))
        n /= 2;
    return n;
}

// Adobe's CMYK, as libjpeg hands it over (stored inverted), to RGB32 in place.
void cmykToRgb(Picture &picture)
{
    for (std::uint32_t &pixel : picture.pixels) {
        std::array<std::uint8_t, 4> cmyk{};
        std::memcpy(cmyk.data(), &pixel, cmyk.size());
        const std::uint32_t k = cmyk[3];
        pixel =
            0xff000000u | (cmyk[0] * k / 255) << 16 | (cmyk[1] * k / 255) << 8 | cmyk[2] * k / 255;
    }
}

// Destroys the decompressor, whichever way the decode ends.
struct DestroyDecoder
{
    Decoder &d;
    ~DestroyDecoder()
    {
        if (d.created)
            jpeg_destroy_decompress(&d.info);
    }
};

} // namespace

JpegPicture decodeJpeg(int fd, std::int64_t fileBytes, Size frame, DecodeOptions options)
{
    const auto d = std::make_unique<Decoder>();
    d->options = options;
    d->info.err = jpeg_std_error(&d->errors);
    d->errors.error_exit = errorExit;
    d->errors.emit_message = emitMessage;
    d->errors.output_message = outputMessage;
    d->fd = fd;
    d->fileBytes = d->unread = std::max<std::int64_t>(fileBytes, 0);
    for (auto &component : d->sentTo)
        component.fill(-1);
    d->cpuAtStart = threadCpuNanoseconds();
    const DestroyDecoder destroy{*d};

    JpegPicture out;
    const auto finish = [&out, &d](JpegFailure why) {
        d->cost.pictureBytes = pictureBytes(*d);
        d->cost.cpuNanoseconds = threadCpuNanoseconds() - d->cpuAtStart;
        out.failure = why;
        out.cost = d->cost;
        out.orientation = d->orientation == 0 ? 1 : d->orientation;
        return std::move(out);
    };
    if (!guarded(*d, create) || !guarded(*d, readHeader))
        return finish(d->failure);
    if (const JpegFailure why = judgeHeaders(*d); why != JpegFailure::None)
        return finish(why);

    jpeg_decompress_struct &info = d->info;
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : kRgb32;
    const Size upright = isQuarterTurn(d->orientation) ? frame.transposed() : frame;
    info.scale_num =
        unsigned(scaleEighths({int(info.image_width), int(info.image_height)}, upright));
    info.scale_denom = 8;
    if (!guarded(*d, calcOutput))
        return finish(d->failure);
    d->cost.outputPixels = std::int64_t{info.output_width} * info.output_height;
    if (d->cost.outputPixels > limits::kMaxOutputPixels)
        return finish(JpegFailure::TooLarge);
    // Shrunk by a third or more afterwards, the picture loses the precision of
    // the accurate DCT and of smooth chroma upsampling in the smoothing anyway:
    // take the fast paths, which cut a 640 × 480 photo's load by a quarter.
    // Shown at about its decoded size or larger, it keeps the accurate ones.
    if (2 * int(info.output_width) >= 3 * upright.width &&
        2 * int(info.output_height) >= 3 * upright.height) {
        info.dct_method = JDCT_IFAST;
        info.do_fancy_upsampling = FALSE;
    }

    Picture image = makePicture({int(info.output_width), int(info.output_height)});
    if (image.isNull())
        return finish(JpegFailure::TooLarge);
    d->rows = reinterpret_cast<JOCTET *>(image.pixels.data());
    d->stride = std::size_t(image.width) * sizeof(std::uint32_t);
    if (!guarded(*d, decodeRows))
        return finish(d->failure);
    if (cmyk)
        cmykToRgb(image);
    out.image = std::move(image);
    return finish(JpegFailure::None);
}

} // namespace guide
