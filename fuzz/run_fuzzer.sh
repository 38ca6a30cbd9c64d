#!/usr/bin/env bash
# Builds the picture-loader fuzzer with clang (in build-fuzz/, together with
# the whole core library, which must compile with clang too), draws its seed
# corpus, and fuzzes for the given number of seconds (60 by default). Fixed
# seed and a fresh working corpus, so that a run can be repeated. Findings are
# written to build-fuzz/fuzz/findings/ and end the script with a failure.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=build-fuzz
out=$build/fuzz

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DMIRTEKA_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target fuzz_picture_loader make_seeds mirteka_core -j2

seeds=$out/seeds
rm -rf "$seeds" "$out/corpus" "$out/findings"
mkdir -p "$out/corpus" "$out/findings"
QT_QPA_PLATFORM=offscreen "$out/make_seeds" "$seeds"
# libjpeg's own encoder writes what Qt's does not: arithmetic coding, restart
# markers, no chroma subsampling, its own progressive script.
ppm=$seeds/cjpeg_input.ppm
cjpeg -progressive -outfile "$seeds/cjpeg_progressive.jpg" "$ppm"
cjpeg -arithmetic -outfile "$seeds/cjpeg_arithmetic.jpg" "$ppm"
cjpeg -restart 1B -outfile "$seeds/cjpeg_restart.jpg" "$ppm"
cjpeg -sample 1x1 -optimize -outfile "$seeds/cjpeg_444.jpg" "$ppm"
cjpeg -grayscale -progressive -outfile "$seeds/cjpeg_grey_progressive.jpg" "$ppm"
jpegtran -progressive -arithmetic -outfile "$seeds/jpegtran_progressive_arithmetic.jpg" \
  "$seeds/64x48_baseline.jpg"
convert "$ppm" -colorspace CMYK "$seeds/magick_cmyk.jpg"
rm "$ppm"
# The hostile files that the decoder's hooks must stop: scans hidden in a
# segment of an unknown marker, and a large picture declared over empty scans.
python3 tools/hostile_jpegs.py "$seeds"
echo "seed corpus: $(ls "$seeds" | wc -l) files in $seeds"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
"$out/fuzz_picture_loader" -max_total_time="$seconds" -rss_limit_mb=1024 -timeout=5 -seed=1 \
  -dict=fuzz/jpeg.dict -print_final_stats=1 -artifact_prefix="$out/findings/" \
  "$out/corpus" "$seeds"
