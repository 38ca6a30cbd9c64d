// One switch between guide entries, end to end: the handler, the text, the
// photograph read and decoded for the frame, and the repaint, on the real main
// window over the desktop runtime. Beside it the floor: libjpeg-turbo decoding
// the same file at 1/8 scale in this process, the least any viewer must do to
// show the photograph at the frame's size (file read included; no resize to
// the exact frame size, no conversion, no painting).
//
//   bench_entry_switch [benchmark flags] FOLDER_640x480 FOLDER_4000x3000
//
// Each folder holds room1.jpg and kita.jpg at its size; the switch alternates
// between entry 2 (kita.jpg) and entry 1 (room1.jpg).

#include <QApplication>
#include <QFile>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <vector>

#include <jpeglib.h>

#include "bench_runtime.h"
#include "qt/app/main_window.h"

namespace {

void entrySwitch(benchmark::State &state, const QString &folder)
{
    BenchRuntime runtime(folder.toStdString());
    Form1 form(runtime);
    form.start();
    QCoreApplication::processEvents();
    bool second = false;
    for (auto _ : state) {
        second ? form.handlers().Option1_Click() : form.handlers().Option2_Click();
        second = !second;
        QCoreApplication::processEvents(); // the repaint
    }
}

// What libjpeg needs to decode the file at an eighth of its size.
void libjpegScaledDecode(benchmark::State &state, const QString &path)
{
    std::vector<JSAMPLE> row;
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            state.SkipWithError("cannot read the photograph");
            break;
        }
        const QByteArray bytes = file.readAll();
        jpeg_decompress_struct info;
        jpeg_error_mgr errors;
        info.err = jpeg_std_error(&errors);
        jpeg_create_decompress(&info);
        jpeg_mem_src(&info, reinterpret_cast<const unsigned char *>(bytes.constData()),
                     static_cast<unsigned long>(bytes.size()));
        jpeg_read_header(&info, TRUE);
        info.scale_num = 1;
        info.scale_denom = 8;
        jpeg_start_decompress(&info);
        row.resize(std::size_t(info.output_width) * std::size_t(info.output_components));
        JSAMPROW rows[] = {row.data()};
        while (info.output_scanline < info.output_height)
            jpeg_read_scanlines(&info, rows, 1);
        jpeg_finish_decompress(&info);
        jpeg_destroy_decompress(&info);
        benchmark::DoNotOptimize(row.data());
    }
}

} // namespace

int main(int argc, char *argv[])
{
    benchmark::Initialize(&argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_entry_switch [benchmark flags] FOLDER_640x480 "
                             "FOLDER_4000x3000\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString small = QString::fromLocal8Bit(argv[1]);
    const QString large = QString::fromLocal8Bit(argv[2]);

    benchmark::RegisterBenchmark("entry_switch/640x480", entrySwitch, small)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("entry_switch/4000x3000", entrySwitch, large)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("libjpeg_scaled_decode/4000x3000", libjpegScaledDecode,
                                 large + QStringLiteral("/room1.jpg"))
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
