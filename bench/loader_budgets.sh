#!/usr/bin/env bash
# The picture loader against its budgets and against libjpeg-turbo's own djpeg,
# side by side in one run: for each file, one load by bench/load_once (CPU
# seconds of the load, peak resident memory of the process) and djpeg at the
# same scale, output to /dev/null (user + system seconds, peak memory).
#  - every file under 1 MiB (the corpus of quirks, lost data and cheap files):
#    <= 0.25 s of CPU and <= +64 MiB of peak memory over load_once showing the
#    sample photograph, shown or refused;
#  - every file: <= 2 s of CPU, memory <= djpeg's + 32 MiB;
#  - real photos (12 to 200 MP, baseline, progressive 4:2:0 and 4:4:4,
#    arithmetic up to 48 MP, CMYK, YCCK, a motion photo's trailing data):
#    shown, time <= 1.2 x djpeg's.
# Builds in build-bench/ (Release). FRAME=656x494 for a screen at scale 2.
set -euo pipefail
cd "$(dirname "$0")/.."
frame=${FRAME:-328x247}
build=$PWD/build-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  -DCMAKE_PROJECT_mirteka_INCLUDE="$PWD/bench/hook.cmake" >/dev/null
cmake --build "$build" -j2 --target load_once write_photo jpeg_cost >&2
bin=$build/bench
work=${BENCH_WORK:-$(mktemp -d)}
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
if [ ! -f "$work/photos/12mp_motion_photo.jpg" ]; then
  cp "$work/photos/12mp_baseline.jpg" "$work/photos/12mp_motion_photo.jpg"
  head -c $((200 << 20)) /dev/urandom >>"$work/photos/12mp_motion_photo.jpg"
fi
sample=photos/room1.jpg

calc() { awk "BEGIN {printf \"%.${2:-2}f\", $1}"; }
met() { awk "BEGIN {exit !($1)}" && echo yes || echo NO; }
# ours FILE -> "cpu shown failure scale_w rss_kib"
ours() {
  /usr/bin/time -f "%M" -o "$work/rss" "$bin/load_once" "$1" "$frame" >"$work/out"
  read -r _ cpu _ shown _ failure _ decoded _ _ <"$work/out"
  echo "$cpu $shown $failure ${decoded%x*} $(cat "$work/rss")"
}
# djpeg FILE EIGHTHS -> "cpu rss_kib": its CPU time to the microsecond (the
# rusage of the child), whether or not it warned.
djpeg_cost() {
  /usr/bin/python3 - "$1" "$2" <<'PY'
import resource, subprocess, sys
subprocess.run(['djpeg', '-scale', sys.argv[2] + '/8', '-outfile', '/dev/null', sys.argv[1]],
               stderr=subprocess.DEVNULL)
u = resource.getrusage(resource.RUSAGE_CHILDREN)
print('%.4f %d' % (u.ru_utime + u.ru_stime, u.ru_maxrss))
PY
}
# The scale load_once decoded at, from the picture's width and the decoded width.
eighths() {
  local width=$("$bin/jpeg_cost" --scale 8 "$1" | python3 -c 'import json,sys; print(json.load(sys.stdin)["width"])' 2>/dev/null || echo 0)
  [ "$2" -gt 0 ] && [ "$width" -gt 0 ] && echo $(((8 * $2 + width / 2) / width)) || echo 1
}

read -r _ _ _ _ base_rss < <(ours "$sample")
printf '%-52s %9s %6s %7s %7s %8s %8s %6s %s\n' file bytes shown cpu_s djpeg_s rss_MiB djpeg_MiB scale verdict
for f in "$work"/quirks/*.jpg "$work"/lost/*.jpg "$work"/cheap/*.jpg "$work"/photos/*.jpg; do
  bytes=$(stat -c %s "$f")
  read -r cpu shown failure width rss < <(ours "$f")
  n=$(eighths "$f" "$width")
  read -r dcpu drss < <(djpeg_cost "$f" "$n")
  verdict=""
  if [ "$bytes" -lt $((1 << 20)) ]; then
    verdict+="cpu<=0.25:$(met "$cpu <= 0.25") mem<=+64:$(met "($rss - $base_rss) / 1024 <= 64") "
  fi
  verdict+="cpu<=2:$(met "$cpu <= 2") mem<=djpeg+32:$(met "($rss - $drss) / 1024 <= 32")"
  case $f in */photos/*)
    verdict+=" shown:$([ "$shown" = 1 ] && echo yes || echo NO) time<=1.2djpeg:$(met "$cpu <= 1.2 * $dcpu + 0.005")" ;;
  esac
  case $f in */quirks/*) verdict+=" shown:$([ "$shown" = 1 ] && echo yes || echo NO)" ;; esac
  case $f in */lost/*) verdict+=" refused:$([ "$shown" = 0 ] && echo yes || echo NO)" ;; esac
  printf '%-52s %9d %6s %7s %7s %8s %8s %6s %s\n' "${f#$work/}" "$bytes" "$shown/$failure" "$cpu" \
    "$dcpu" "$(calc "$rss / 1024" 1)" "$(calc "$drss / 1024" 1)" "$n/8" "$verdict"
done
echo "sample photograph: $(calc "$base_rss / 1024" 1) MiB peak; frame $frame; $(nproc) cores"
