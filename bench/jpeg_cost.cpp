// What a JPEG file costs libjpeg-turbo to decode, measured on the decoder's
// own hooks: every scan it starts (components, spectral band, successive
// approximation, blocks covered, where in the file it starts), every warning
// it gives and where, the bytes it takes from the file, the work it does
// against those bytes as it goes, and its CPU time. No guard: the file is
// decoded as far as libjpeg goes by itself, warnings included, so that the
// loader's budgets can be set from what real encoders' files cost.
//
//   jpeg_cost [--scale N | --frame WxH] FILE...
//
// One JSON object a line per file. `--scale N` decodes at N/8; `--frame WxH`
// at the smallest of 1/8, 1/4, 1/2, 1 that covers the frame (full size if
// none does). `work` is the blocks visited by scans, each weighted as the
// loader weighs it (core/picture_limits.h), summed;
// `needFree[k]` is the least free allowance of work for which
// work <= free + k × bytes taken holds at every point of the decode.

#include <algorithm>
#include <array>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <sys/resource.h>

#include <jerror.h>
#include <jpeglib.h>

#include <memory>

#include "core/picture_limits.h"

namespace {

constexpr std::array<double, 10> kRates{8, 16, 32, 64, 128, 256, 512, 1024, 2048, 4096};

struct Warning
{
    int code;
    int parm0, parm1;
    int scan;
    long row;
    long at;
    bool inScan;
};

struct Scan
{
    int comps;
    int ss, se, ah, al;
    long long blocks;
    long long work;
    long at;
};

struct Probe
{
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    jpeg_source_mgr source{};
    jpeg_progress_mgr progress{};
    std::jmp_buf escape{};
    std::vector<unsigned char> file;
    bool fakeEnd = false;
    long fakeEndAt = -1;
    bool fakeEndInScan = false;
    long fakeEndRowsLeft = -1;
    std::string error;
    std::vector<Warning> warnings;
    std::vector<Scan> scans;
    long long doneBlocks = 0;    ///< work of the scans finished
    long long scannedBlocks = 0; ///< blocks of the scans finished
    std::array<double, kRates.size()> needFree{};
    long long work = 0;
    bool multiScan = false;
    long markerRowsLeft = -1; ///< most iMCU rows a scan still had to go when its data ended
};

Probe &of(j_common_ptr c) { return *static_cast<Probe *>(c->client_data); }

long consumed(const Probe &p)
{
    return long(p.file.size()) - long(p.source.bytes_in_buffer) + (p.fakeEnd ? -2 : 0);
}

// Whether the entropy decoder is inside a scan (not between segments).
bool inScan(const Probe &p)
{
    return p.info.unread_marker == 0 && !p.scans.empty() &&
           p.info.input_iMCU_row < p.info.total_iMCU_rows;
}

// Blocks the scan covers, each weighted by the coefficients it codes there
// (1 for a DC scan, 64 for a sequential one).
long long scanBlocks(const jpeg_decompress_struct &info);

long long scanWork(const jpeg_decompress_struct &info)
{
    return scanBlocks(info) *
           guide::limits::workPerBlock(info.progressive_mode, info.arith_code, info.Ss, info.Se,
                                                          info.Ah);
}

long long scanBlocks(const jpeg_decompress_struct &info)
{
    if (info.comps_in_scan == 1) {
        const jpeg_component_info *c = info.cur_comp_info[0];
        return (long long)c->width_in_blocks * c->height_in_blocks;
    }
    return (long long)info.MCUs_per_row * info.MCU_rows_in_scan * info.blocks_in_MCU;
}

void account(Probe &p)
{
    const jpeg_decompress_struct &info = p.info;
    long long current = 0;
    if (!p.scans.empty())
        current = (long long)((double)p.scans.back().work * info.input_iMCU_row /
                              std::max<JDIMENSION>(info.total_iMCU_rows, 1));
    p.work = p.doneBlocks + current;
    const double bytes = double(consumed(p));
    for (std::size_t i = 0; i < kRates.size(); ++i)
        p.needFree[i] = std::max(p.needFree[i], double(p.work) - kRates[i] * bytes);
}

void monitor(j_common_ptr c)
{
    Probe &p = of(c);
    const jpeg_decompress_struct &info = p.info;
    while ((int)p.scans.size() < info.input_scan_number) {
        if (!p.scans.empty())
            p.doneBlocks += p.scans.back().work, p.scannedBlocks += p.scans.back().blocks;
        p.scans.push_back({info.comps_in_scan, info.Ss, info.Se, info.Ah, info.Al, scanBlocks(info),
                           scanWork(info), consumed(p)});
    }
    if (info.unread_marker != 0 && !p.scans.empty() && info.input_iMCU_row < info.total_iMCU_rows)
        p.markerRowsLeft =
            std::max(p.markerRowsLeft, long(info.total_iMCU_rows - info.input_iMCU_row));
    account(p);
}

[[noreturn]] void errorExit(j_common_ptr c)
{
    Probe &p = of(c);
    char text[JMSG_LENGTH_MAX];
    (*c->err->format_message)(c, text);
    p.error = text;
    std::longjmp(p.escape, 1);
}

void emit(j_common_ptr c, int level)
{
    if (level >= 0)
        return;
    Probe &p = of(c);
    p.warnings.push_back({c->err->msg_code, c->err->msg_parm.i[0], c->err->msg_parm.i[1],
                          p.info.input_scan_number, long(p.info.input_iMCU_row), consumed(p),
                          inScan(p)});
    c->err->num_warnings++;
}

void nothing(j_decompress_ptr) {}

boolean fill(j_decompress_ptr info)
{
    Probe &p = of(reinterpret_cast<j_common_ptr>(info));
    static const JOCTET eoi[] = {0xFF, JPEG_EOI};
    if (!p.fakeEnd) {
        p.fakeEnd = true;
        p.fakeEndAt = long(p.file.size());
        p.fakeEndInScan = inScan(p);
        p.fakeEndRowsLeft = long(p.info.total_iMCU_rows - p.info.input_iMCU_row);
    }
    info->src->next_input_byte = eoi;
    info->src->bytes_in_buffer = 2;
    return TRUE;
}

void skip(j_decompress_ptr info, long n)
{
    while (n > long(info->src->bytes_in_buffer)) {
        n -= long(info->src->bytes_in_buffer);
        fill(info);
    }
    info->src->next_input_byte += n;
    info->src->bytes_in_buffer -= std::size_t(n);
}

double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

int pickScale(long w, long h, long fw, long fh)
{
    for (int n = 1; n < 8; n *= 2)
        if ((w * n + 7) / 8 >= fw && (h * n + 7) / 8 >= fh)
            return n;
    return 8;
}

void report(const char *name, Probe &p, int scale, double cpu, long outW, long outH)
{
    const jpeg_decompress_struct &info = p.info;
    long long blocks = 0, coef = 0;
    std::string sampling;
    for (int i = 0; i < info.num_components; ++i) {
        const jpeg_component_info &c = info.comp_info[i];
        blocks += (long long)c.width_in_blocks * c.height_in_blocks;
        coef += (long long)((c.width_in_blocks + c.h_samp_factor - 1) / c.h_samp_factor *
                            c.h_samp_factor) *
                ((c.height_in_blocks + c.v_samp_factor - 1) / c.v_samp_factor * c.v_samp_factor) *
                128;
        sampling += std::to_string(c.h_samp_factor) + "x" + std::to_string(c.v_samp_factor) +
                    (i + 1 < info.num_components ? "," : "");
    }
    if (!p.multiScan)
        coef = 0;
    long long scanned = p.scannedBlocks + (p.scans.empty() ? 0 : p.scans.back().blocks);
    long long work = p.doneBlocks + (p.scans.empty() ? 0 : p.scans.back().work);
    std::printf("{\"file\":\"%s\",\"bytes\":%zu,\"used\":%ld,\"width\":%u,\"height\":%u,"
                "\"comps\":%d,\"sampling\":\"%s\",\"progressive\":%d,\"arithmetic\":%d,"
                "\"blocks\":%lld,\"coefBytes\":%lld,\"scans\":%zu,\"scanBlocks\":%lld,"
                "\"passes\":%.3f,\"work\":%lld,\"bytesPerBlock\":%.4f,\"scale\":%d,\"out\":[%ld,%ld],"
                "\"cpu\":%.4f,\"markerRowsLeft\":%ld,\"fakeEndRowsLeft\":%ld,\"fakeEnd\":%d,"
                "\"fakeEndInScan\":%d,\"error\":\"%s\",",
                name, p.file.size(), consumed(p), info.image_width, info.image_height,
                info.num_components, sampling.c_str(), info.progressive_mode, info.arith_code,
                blocks, coef, p.scans.size(), scanned, blocks ? double(scanned) / blocks : 0.0, work,
                blocks ? double(consumed(p)) / blocks : 0.0, scale, outW, outH, cpu,
                p.markerRowsLeft, p.fakeEndRowsLeft, p.fakeEnd, p.fakeEndInScan, p.error.c_str());
    std::printf("\"needFree\":{");
    for (std::size_t i = 0; i < kRates.size(); ++i)
        std::printf("%s\"%g\":%.0f", i ? "," : "", kRates[i], p.needFree[i]);
    std::printf("},\"scanList\":[");
    for (std::size_t i = 0; i < p.scans.size(); ++i) {
        const Scan &s = p.scans[i];
        const long end = i + 1 < p.scans.size() ? p.scans[i + 1].at : consumed(p);
        std::printf("%s[%d,%d,%d,%d,%d,%lld,%ld]", i ? "," : "", s.comps, s.ss, s.se, s.ah, s.al,
                    s.blocks, end - s.at);
    }
    std::printf("],\"warnings\":[");
    for (std::size_t i = 0; i < p.warnings.size() && i < 20; ++i) {
        const Warning &w = p.warnings[i];
        std::printf("%s{\"code\":%d,\"text\":\"%s\",\"p\":[%d,%d],\"scan\":%d,\"row\":%ld,"
                    "\"at\":%ld,\"inScan\":%d}",
                    i ? "," : "", w.code, p.errors.jpeg_message_table[w.code], w.parm0, w.parm1,
                    w.scan, w.row, w.at, w.inScan);
    }
    std::printf("],\"warningCount\":%zu}\n", p.warnings.size());
}

bool decode(Probe &p, int fixedScale, long fw, long fh, int &scale, long &outW, long &outH)
{
    if (setjmp(p.escape) != 0)
        return false;
    jpeg_read_header(&p.info, TRUE);
    p.multiScan = jpeg_has_multiple_scans(&p.info);
    if (p.info.num_components == 4)
        p.info.out_color_space = JCS_CMYK;
    else
        p.info.out_color_space = JCS_EXT_BGRX;
    scale = fixedScale ? fixedScale : pickScale(p.info.image_width, p.info.image_height, fw, fh);
    p.info.scale_num = unsigned(scale);
    p.info.scale_denom = 8;
    jpeg_start_decompress(&p.info);
    outW = p.info.output_width;
    outH = p.info.output_height;
    std::vector<JSAMPLE> rows(std::size_t(p.info.output_width) * 4 * 16);
    while (p.info.output_scanline < p.info.output_height) {
        JSAMPROW list[16];
        for (int i = 0; i < 16; ++i)
            list[i] = rows.data() + std::size_t(i) * p.info.output_width * 4;
        jpeg_read_scanlines(&p.info, list, 16);
    }
    jpeg_finish_decompress(&p.info);
    account(p);
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    int fixedScale = 0;
    long fw = 328, fh = 247;
    int first = 1;
    for (; first < argc && argv[first][0] == '-'; ++first) {
        if (!std::strcmp(argv[first], "--scale") && first + 1 < argc)
            fixedScale = std::atoi(argv[++first]);
        else if (!std::strcmp(argv[first], "--frame") && first + 1 < argc)
            std::sscanf(argv[++first], "%ldx%ld", &fw, &fh);
        else {
            std::fprintf(stderr, "usage: jpeg_cost [--scale N | --frame WxH] FILE...\n");
            return 2;
        }
    }
    for (int i = first; i < argc; ++i) {
        auto probe = std::make_unique<Probe>();
        Probe &p = *probe;
        std::FILE *f = std::fopen(argv[i], "rb");
        if (!f)
            continue;
        std::fseek(f, 0, SEEK_END);
        p.file.resize(std::size_t(std::ftell(f)));
        std::fseek(f, 0, SEEK_SET);
        if (std::fread(p.file.data(), 1, p.file.size(), f) != p.file.size())
            p.file.clear();
        std::fclose(f);
        p.info.err = jpeg_std_error(&p.errors);
        p.errors.error_exit = errorExit;
        p.errors.emit_message = emit;
        jpeg_create_decompress(&p.info);
        p.info.client_data = &p;
        p.source.init_source = nothing;
        p.source.term_source = nothing;
        p.source.fill_input_buffer = fill;
        p.source.skip_input_data = skip;
        p.source.resync_to_restart = jpeg_resync_to_restart;
        p.source.next_input_byte = p.file.data();
        p.source.bytes_in_buffer = p.file.size();
        p.info.src = &p.source;
        p.progress.progress_monitor = monitor;
        p.info.progress = &p.progress;
        int scale = 0;
        long outW = 0, outH = 0;
        const double t0 = cpuSeconds();
        decode(p, fixedScale, fw, fh, scale, outW, outH);
        const double cpu = cpuSeconds() - t0;
        report(argv[i], p, scale, cpu, outW, outH);
        std::fflush(stdout);
        jpeg_destroy_decompress(&p.info);
    }
    return 0;
}
