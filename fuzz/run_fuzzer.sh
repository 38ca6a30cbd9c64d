#!/usr/bin/env bash
# Builds the picture-loader fuzzer with clang (in build-fuzz/, together with
# the whole core library, which must compile with clang too), draws its seed
# corpus, and fuzzes for the given number of seconds (60 by default). Fixed
# seed and a fresh working corpus, so that a run can be repeated. Findings are
# written to build-fuzz/fuzz/findings/ and end the script with a failure.
set -euo pipefail
cd "$(dirname "$0")/.."
# With --instrumented, libjpeg-turbo itself is built from Debian's source
# (apt-get source, which needs a deb-src line in /etc/apt) with the fuzzer's
# coverage and the sanitizers, in build-fuzz/libjpeg-turbo/, and linked in.
instrumented=
if [ "${1:-}" = --instrumented ]; then
  instrumented=1
  shift
fi
seconds=${1:-60}
build=build-fuzz
out=$build/fuzz
jpeg_prefix=
if [ -n "$instrumented" ]; then
  jpeg_prefix=$PWD/$build/libjpeg-turbo/install
  if [ ! -f "$jpeg_prefix/lib/libjpeg.a" ]; then
    src=$PWD/$build/libjpeg-turbo
    mkdir -p "$src"
    (cd "$src" && ls -d libjpeg-turbo-*/ >/dev/null 2>&1 || apt-get source -qq libjpeg-turbo)
    flags="-g -O1 -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
    # Build type None: the flags above alone (libjpeg-turbo's default, Release,
    # adds -O3).
    cmake -S "$(ls -d "$src"/libjpeg-turbo-*/ | head -1)" -B "$src/build" -G Ninja \
      -DCMAKE_BUILD_TYPE=None -DCMAKE_C_COMPILER=clang -DCMAKE_C_FLAGS="$flags" -DENABLE_SHARED=0 \
      -DWITH_TURBOJPEG=0 -DWITH_SIMD=0 >/dev/null
    # Every object but the encoder's Huffman coder, which the loader never
    # runs: under the undefined-behaviour sanitizer clang spent over 11 minutes
    # on it without finishing. It is compiled without that one, then the
    # library is put together from the objects.
    objects=$(cd "$src/build" && ninja -t targets all |
      grep -oE '^CMakeFiles/(jpeg-static|simd)\.dir/[^:]*\.o')
    (cd "$src/build" && ninja -j2 $(echo "$objects" | grep -v '/jchuff\.c\.o$') >/dev/null)
    jpeg_src=$(ls -d "$src"/libjpeg-turbo-*/ | head -1)
    clang -I"$src/build" -I"$jpeg_src" ${flags/,undefined/} -c "$jpeg_src/jchuff.c" \
      -o "$src/build/CMakeFiles/jpeg-static.dir/jchuff.c.o"
    rm -f "$src/build/libjpeg.a"
    (cd "$src/build" && ar rcs libjpeg.a $objects)
    mkdir -p "$jpeg_prefix/lib" "$jpeg_prefix/include"
    cp "$src/build/libjpeg.a" "$jpeg_prefix/lib/"
    cp "$src/build/jconfig.h" "$src"/libjpeg-turbo-*/{jpeglib.h,jmorecfg.h,jerror.h} "$jpeg_prefix/include/"
  fi
fi

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DMIRTEKA_FUZZ=ON -DBUILD_TESTING=OFF -DMIRTEKA_FUZZ_JPEG_PREFIX="$jpeg_prefix" >/dev/null
cmake --build "$build" --target fuzz_picture_loader make_seeds mirteka_core -j2

seeds=$out/seeds
rm -rf "$seeds" "$out/corpus" "$out/findings" "$out/corpus_files"
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
# The corpus of everyday quirks, lost data and cheap files, small ones only.
mkdir -p "$out/corpus_files"
/usr/bin/python3 tools/jpeg_corpus.py "$out/corpus_files" quirks lost >/dev/null
cp "$out"/corpus_files/quirks/*.jpg "$out"/corpus_files/lost/*.jpg "$seeds/"
/usr/bin/python3 - "$seeds" <<'PY'
import os, sys
for name in os.listdir(sys.argv[1]):
    path = os.path.join(sys.argv[1], name)
    if os.path.getsize(path) > 200_000:
        os.remove(path)  # the fuzzer's inputs stay small
PY
echo "seed corpus: $(ls "$seeds" | wc -l) files in $seeds"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
"$out/fuzz_picture_loader" -max_total_time="$seconds" -rss_limit_mb=1024 -timeout=5 -seed=1 \
  -dict=fuzz/jpeg.dict -print_final_stats=1 -artifact_prefix="$out/findings/" \
  "$out/corpus" "$seeds"
