#!/usr/bin/env bash
# The picture loader against its budgets and against libjpeg-turbo's own djpeg,
# side by side in one run: for each file, loads by bench/load_once (CPU and
# wall seconds of the load, peak resident memory of the process) and djpeg at
# the same scale, output to /dev/null (user + system seconds, wall seconds,
# peak memory). Times are medians of RUNS runs (3 by default), memory the
# largest of them; a file whose first load takes under 10 ms is timed once.
#  - every file under 1 MiB (the corpus of quirks, lost data and cheap files,
#    the crafted files of bench/write_crafted): <= 0.6 s of CPU and <= +96 MiB
#    of peak memory over load_once showing the sample photograph;
#  - every file: <= 2 s of CPU (or, for a real photo that djpeg itself needs
#    more for, <= 1.2 x djpeg's), peak memory <= the sample's + 96 MiB + 100
#    bytes for each byte of the picture itself (what the loader read of it);
#  - real photos (12 to 200 MP, baseline, progressive 4:2:0 and 4:4:4,
#    arithmetic, CMYK, YCCK, grey, smooth ones of 20 to 24 MP under 1 MiB, a
#    motion photo's trailing data): shown, time <= 1.2 x djpeg's, memory
#    <= djpeg's + 32 MiB.
# Builds in build-bench/ (Release). FRAME=656x494 for a screen at scale 2.
# TSV=FILE also writes the table there, tab-separated, for bench/run.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
frame=${FRAME:-328x247}
runs=${RUNS:-3}
build=$PWD/build-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  -DCMAKE_PROJECT_mirteka_INCLUDE="$PWD/bench/hook.cmake" >/dev/null
cmake --build "$build" -j2 --target load_once write_photo write_crafted jpeg_cost >&2
bin=$build/bench
work=$(realpath -m "${BENCH_WORK:-$(mktemp -d)}")
mkdir -p "$work"
[ -n "${BENCH_WORK:-}" ] || trap 'rm -rf "$work"' EXIT

echo "making files in $work" >&2
[ -d "$work/quirks" ] || /usr/bin/python3 tools/jpeg_corpus.py "$work" >&2
mkdir -p "$work/photos"
photo() { # name size options...
  local f="$work/photos/$1.jpg"
  [ -f "$f" ] || "$bin/write_photo" "$f" "$2" grain=8 "${@:3}"
}
photo 12mp_baseline 4000x3000
photo 12mp_progressive_420 4000x3000 progressive
photo 12mp_progressive_444 4000x3000 progressive 444
photo 12mp_arithmetic 4000x3000 arithmetic
photo 12mp_arithmetic_progressive 4000x3000 arithmetic progressive
photo 12mp_cmyk 4000x3000 cmyk
photo 12mp_ycck_progressive 4000x3000 ycck progressive
photo 48mp_baseline 8000x6000
photo 48mp_progressive_420 8000x6000 progressive
photo 48mp_progressive_444 8160x6120 progressive 444
photo 48mp_arithmetic 8000x6000 arithmetic
photo 48mp_arithmetic_progressive 8000x6000 arithmetic progressive
photo 108mp_progressive_420 12000x9000 progressive
photo 200mp_baseline 16320x12240
photo 200mp_progressive_420 16320x12240 progressive
photo 200mp_progressive_444 16320x12240 progressive 444
[ -f "$work/photos/48mp_jpegtran_arithmetic.jpg" ] ||
  jpegtran -arithmetic -outfile "$work/photos/48mp_jpegtran_arithmetic.jpg" "$work/photos/48mp_baseline.jpg"
# Smooth photographs: under 1 MiB at 20 to 24 MP, and larger ones.
smooth() { # name size sampling options...
  local f="$work/photos/$1.jpg"
  [ -f "$f" ] || "$bin/write_crafted" "$f" smooth "$2" "${@:3}"
}
smooth 24mp_smooth_420 6000x4000 420
smooth 20mp_smooth_420 5472x3648 420
smooth 12mp_smooth_444 4000x3000 444
smooth a4_600dpi_smooth_grey 4960x7016 grey
smooth 24mp_smooth_420_arithmetic 6000x4000 420 arithmetic
photo 12mp_smooth_arithmetic_progressive_444 4000x3000 arithmetic progressive 444 grain=4 q=92
photo 48mp_smooth_arithmetic_progressive 8000x6000 arithmetic progressive grain=4
photo 48mp_smooth_progressive_444 8000x6000 progressive 444 grain=4
# Files that cost the decoder far more than their bytes.
mkdir -p "$work/crafted"
crafted() { # name kind size options...
  local f="$work/crafted/$1.jpg"
  [ -f "$f" ] || "$bin/write_crafted" "$f" "${@:2}"
}
crafted arithmetic_dc_scan_sent_100_times repeated-dc 5440x5440 99
crafted arithmetic_band_walk_11_passes band-walk 8192x4608 11
crafted arithmetic_band_walk_4_passes band-walk 8192x4608 4
crafted arithmetic_sequential_flat_2MiB_after_end flat 8192x18432 sequential arithmetic trailing=2097152
crafted arithmetic_progressive_512MiB_12MiB_after_end flat 16384x16384 progressive arithmetic trailing=12582912
crafted huffman_progressive_72MiB_flat flat 8192x4608 progressive
crafted huffman_progressive_512MiB_dc_5MiB_after_end dc 16384x16384 trailing=5242880
if [ ! -f "$work/photos/12mp_motion_photo.jpg" ]; then
  cp "$work/photos/12mp_baseline.jpg" "$work/photos/12mp_motion_photo.jpg"
  head -c $((200 << 20)) /dev/urandom >>"$work/photos/12mp_motion_photo.jpg"
fi
sample=photos/room1.jpg

calc() { awk "BEGIN {printf \"%.${2:-2}f\", $1}"; }
met() { awk "BEGIN {exit !($1)}" && echo yes || echo NO; }
median() { sort -g | awk '{a[NR] = $1} END {print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2}'; }
# ours FILE -> "cpu wall shown failure scale_w rss_kib picture_bytes": medians
# of the times, the largest peak. A load under 10 ms is so far under every
# budget that its first run stands for the median.
ours() {
  local i cpu wall shown failure decoded picture
  : >"$work/runs"
  for i in $(seq "$runs"); do
    /usr/bin/time -f "%M" -o "$work/rss" "$bin/load_once" "$1" "$frame" >"$work/out"
    read -r _ cpu _ shown _ failure _ decoded _ _ _ wall _ picture <"$work/out"
    echo "$cpu $wall $(cat "$work/rss")" >>"$work/runs"
    awk "BEGIN {exit !($wall < 0.01)}" && break
  done
  echo "$(cut -d' ' -f1 "$work/runs" | median) $(cut -d' ' -f2 "$work/runs" | median)" \
    "$shown $failure ${decoded%x*} $(cut -d' ' -f3 "$work/runs" | sort -g | tail -n 1) $picture"
}
# djpeg FILE EIGHTHS -> "cpu wall rss_kib": its CPU time to the microsecond (the
# rusage of each child) and wall time, medians of the runs, whether or not it
# warned, each run stopped after 120 s; the largest peak.
djpeg_cost() {
  /usr/bin/python3 - "$1" "$2" "$runs" <<'PY'
import resource, statistics, subprocess, sys, time
cpus, walls = [], []
for _ in range(int(sys.argv[3])):
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    began = time.perf_counter()
    try:  # a hostile file can keep djpeg going for hours: stopped at 120 s
        subprocess.run(['djpeg', '-scale', sys.argv[2] + '/8', '-outfile', '/dev/null', sys.argv[1]],
                       stderr=subprocess.DEVNULL, timeout=120)
    except subprocess.TimeoutExpired:
        pass
    walls.append(time.perf_counter() - began)
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpus.append(after.ru_utime + after.ru_stime - before.ru_utime - before.ru_stime)
    if walls[-1] < 0.01:
        break
u = resource.getrusage(resource.RUSAGE_CHILDREN)
print('%.4f %.4f %d' % (statistics.median(cpus), statistics.median(walls), u.ru_maxrss))
PY
}
# The scale load_once decoded at, from the picture's width and the decoded width.
eighths() {
  local width=$("$bin/jpeg_cost" --scale 8 "$1" | python3 -c 'import json,sys; print(json.load(sys.stdin)["width"])' 2>/dev/null || echo 0)
  [ "$2" -gt 0 ] && [ "$width" -gt 0 ] && echo $(((8 * $2 + width / 2) / width)) || echo 1
}

read -r _ _ _ _ _ base_rss _ < <(ours "$sample")
header=(file bytes picture shown cpu_s wall_s djpeg_s djpeg_wall_s rss_MiB djpeg_MiB scale verdict)
printf '%-58s %9s %9s %6s %7s %7s %7s %12s %8s %8s %6s %s\n' "${header[@]}"
[ -z "${TSV:-}" ] || (IFS=$'\t'; echo "${header[*]}") >"$TSV"
for f in "$work"/quirks/*.jpg "$work"/lost/*.jpg "$work"/cheap/*.jpg "$work"/hostile/*.jpg \
  "$work"/crafted/*.jpg "$work"/photos/*.jpg; do
  bytes=$(stat -c %s "$f")
  read -r cpu wall shown failure width rss picture < <(ours "$f")
  n=$(eighths "$f" "$width")
  read -r dcpu dwall drss < <(djpeg_cost "$f" "$n")
  verdict=""
  if [ "$bytes" -lt $((1 << 20)) ]; then
    verdict+="cpu<=0.6:$(met "$cpu <= 0.6") mem<=+96:$(met "($rss - $base_rss) / 1024 <= 96") "
  fi
  case $f in
    */photos/*)
      verdict+="cpu<=2|1.2djpeg:$(met "$cpu <= 2 || $cpu <= 1.2 * $dcpu + 0.005")"
      verdict+=" shown:$([ "$shown" = 1 ] && echo yes || echo NO) time<=1.2djpeg:$(met "$cpu <= 1.2 * $dcpu + 0.005")"
      verdict+=" mem<=djpeg+32:$(met "($rss - $drss) / 1024 <= 32")" ;;
    *) verdict+="cpu<=2:$(met "$cpu <= 2")" ;;
  esac
  verdict+=" mem<=+96+100/B:$(met "($rss - $base_rss) * 1024 <= 96 * 1048576 + 100 * $picture")"
  case $f in */quirks/*) verdict+=" shown:$([ "$shown" = 1 ] && echo yes || echo NO)" ;; esac
  case $f in */lost/*) verdict+=" refused:$([ "$shown" = 0 ] && echo yes || echo NO)" ;; esac
  fields=("${f#$work/}" "$bytes" "$picture" "$shown/$failure" "$cpu" "$wall" "$dcpu" "$dwall"
    "$(calc "$rss / 1024" 1)" "$(calc "$drss / 1024" 1)" "$n/8" "$verdict")
  printf '%-58s %9d %9d %6s %7s %7s %7s %12s %8s %8s %6s %s\n' "${fields[@]}"
  [ -z "${TSV:-}" ] || (IFS=$'\t'; echo "${fields[*]}") >>"$TSV"
done
echo "sample photograph: $(calc "$base_rss / 1024" 1) MiB peak; frame $frame; medians of $runs runs; $(nproc) cores"
