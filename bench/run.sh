#!/usr/bin/env bash
# Runs every benchmark, each beside its floor on the same machine in the same
# run, and prints one table: row, our median, floor median, ratio, target, met.
# Builds what it needs in Release in build-bench/. BENCH_RUNS sets how many
# runs each median is taken over (11 by default). BENCH_ONLY=loader gives only
# the picture loader's rows from bench/loader_budgets.sh (medians of 3 runs,
# or BENCH_RUNS); any other BENCH_ONLY only the start-up rows.
#
# How each row is measured:
#  - start-up: bench/first_frame starts the program on a private virtual
#    display with a window manager and times from fork to the first moment a
#    new client window is viewable with none of the root colour left in its
#    middle (a mapped window not yet drawn shows what lay beneath). Floors: a
#    bare Qt Widgets window with one label (bare_window, same flags); a plain
#    Qt window with the same kinds of content, laid out by Qt's layouts
#    (plain_window: menu bar with two Japanese items, a large Japanese title,
#    room1.jpg at 640 × 480 scaled into a 328 × 247 label, a Japanese paragraph
#    in a focused text box, IPAPGothic); and feh
#    showing the same large photograph in a 328 × 247 window. The program runs
#    from a copy of its folder (binary included) holding the photographs;
#  - entry switch: Google Benchmark, in process, offscreen, the real main
#    window over the desktop runtime switching between entries 2 and 1 (repaint
#    included); floor: libjpeg-turbo decoding the same file at 1/8 scale in
#    process (jpeg_read_scanlines, file read included);
#  - peak memory: /usr/bin/time's maximum resident size of a driver that runs
#    the program's start-up path (entry 1 shown and painted) and exits;
#  - picture loading: bench/load_picture times the loader alone (median of
#    runs in one process) on hostile files (the scans hidden in an unknown
#    marker's segment, 7240 × 7240 declared over 1.5 KB of empty scans, 124 MB
#    of comments, 124 MB of ICC chunks), each against 0.5 s, and with the
#    peak resident size of the start-up path followed by entry 2 with the file
#    as kita.jpg, against the start-up with 640 × 480 photos; a 200 MP baseline
#    photo against `djpeg -scale 1/8` on the same file (its wall time as a
#    process, output to /dev/null); 48 MP progressive photos, 4:2:0 and 4:4:4,
#    whose peak must stay within their coefficient buffer + 16 MiB;
#  - idle: wake-ups of every thread (poll-family system calls, strace -c) and
#    CPU time (/proc/PID/stat) over 10 s of the program left alone after
#    start-up, against the bare window, and against the bare window showing a
#    focused text box (the program starts with the focus in its description
#    box, whose caret blinks);
#  - glide: a driver that opens the version window on the display and times
#    400 ticks of its timer, with its own CPU time over them; floor: a plain
#    dialog of the same size moving one label by the same step on a 50 ms timer.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${BENCH_RUNS:-11}
only=${BENCH_ONLY:-}

packages=(cmake ninja-build g++ qt6-base-dev libbenchmark-dev libjpeg-dev libx11-dev libfontconfig-dev
  libjpeg-turbo-progs feh strace time xvfb openbox xdotool x11-utils fonts-ipafont-gothic
  bsdextrautils python3 libjpeg-turbo-progs)
source tools/install_packages.sh
install_packages "${packages[@]}"

rows=()
row() { # name ours floor ratio target met
  rows+=("$(printf '%s\t%s\t%s\t%s\t%s\t%s' "$@")")
}
met() { awk "BEGIN {exit !($1)}" && echo yes || echo NO; }
calc() { awk "BEGIN {printf \"%.${2:-2}f\", $1}"; }
table() {
  {
    printf 'row\tours (median)\tfloor (median)\tratio\ttarget\tmet?\n'
    printf '%s\n' "${rows[@]}"
  } | column -t -s $'\t'
}

# --- The loader against its budgets and djpeg, file by file ---
if [ "$only" = loader ]; then
  loader_runs=${BENCH_RUNS:-3}
  tsv=$(mktemp)
  trap 'rm -f "$tsv"' EXIT
  RUNS=$loader_runs TSV=$tsv bench/loader_budgets.sh >&2
  # Columns: file bytes picture shown cpu_s wall_s djpeg_s djpeg_wall_s rss_MiB djpeg_MiB scale verdict
  while IFS=$'\t' read -r file _ _ shown cpu wall dcpu dwall _ _ _ _; do
    case $file in photos/*) ;; *) continue ;; esac
    row "loader ${file#photos/}: CPU (s)" "$cpu" "$dcpu" "$(calc "$cpu / $dcpu")" \
      "shown, ≤ 1.2× djpeg -scale N/8" "$(met "${shown%/*} == 1 && $cpu <= 1.2 * $dcpu + 0.005")"
    row "loader ${file#photos/}: wall (s)" "$wall" "$dwall" "$(calc "$wall / $dwall")" "(absolute)" "—"
  done < <(tail -n +2 "$tsv")
  read -r small slowest < <(awk -F'\t' 'NR > 1 && $2 < 1048576 {n++; if ($5 > m) m = $5} END {print n + 0, m + 0}' "$tsv")
  row "loader, $small files under 1 MiB: slowest CPU (s)" "$slowest" "—" "—" "≤ 0.6 s" "$(met "$slowest <= 0.6")"
  read -r files misses < <(awk -F'\t' 'NR > 1 {n++; if ($12 ~ /NO/) m++} END {print n + 0, m + 0}' "$tsv")
  row "loader, $files files: budgets missed (CPU, memory, shown/refused)" "$misses" "—" "—" "0" "$(met "$misses == 0")"
  table
  echo "medians of $loader_runs runs; $(nproc) cores"
  exit 0
fi

build=$PWD/build-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  -DCMAKE_PROJECT_mirteka_INCLUDE="$PWD/bench/hook.cmake" >/dev/null
cmake --build "$build" -j2 --target mirteka bare_window plain_window first_frame make_photos \
  bench_entry_switch peak_memory glide_ticks load_picture >&2
bin=$build/bench

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# median: of the numbers on standard input, one a line.
median() { sort -g | awk '{a[NR] = $1} END {print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2}'; }

# Program folders: the built one's photographs at 640 × 480, and copies with
# room1.jpg and kita.jpg replaced by one large photograph made from room1.jpg.
echo "making photographs" >&2
cp -r "$build/app" "$work/app640"
for size in 4000x3000 8000x6000; do
  QT_QPA_PLATFORM=offscreen "$bin/make_photos" "$build/app/room1.jpg" "${size%x*}" "${size#*x}" \
    "$work/$size.jpg"
  cp -r "$build/app" "$work/app$size"
  cp "$work/$size.jpg" "$work/app$size/room1.jpg"
  cp "$work/$size.jpg" "$work/app$size/kita.jpg"
done

if [ -z "$only" ]; then
# --- Entry switch (offscreen, in process) ---
echo "entry switch" >&2
QT_QPA_PLATFORM=offscreen "$bin/bench_entry_switch" --benchmark_repetitions="$runs" \
  --benchmark_report_aggregates_only=true --benchmark_format=json \
  "$work/app640" "$work/app4000x3000" >"$work/switch.json"
switch_median() {
  python3 -c 'import json, sys
for b in json.load(open(sys.argv[1]))["benchmarks"]:
    if b["run_name"] == sys.argv[2] and b["aggregate_name"] == "median":
        print(b["real_time"])' "$work/switch.json" "$1"
}
sw640=$(switch_median entry_switch/640x480/real_time)
sw4000=$(switch_median entry_switch/4000x3000/real_time)
decode=$(switch_median libjpeg_scaled_decode/4000x3000/real_time)
ratio=$(calc "$sw4000 / $decode")
row "entry switch, 4000×3000 (ms)" "$(calc "$sw4000")" "$(calc "$decode")" "$ratio" "≤ 1.1×" "$(met "$ratio <= 1.1")"
row "entry switch, 640×480 (ms)" "$(calc "$sw640")" "—" "—" "(absolute)" "—"

# --- Peak memory ---
echo "peak memory" >&2
peak() { # folder → median of maximum resident sizes in KiB
  for _ in $(seq 5); do
    QT_QPA_PLATFORM=offscreen /usr/bin/time -f %M -o "$work/rss" "$bin/peak_memory" "$1"
    cat "$work/rss"
  done | median
}
rss640=$(peak "$work/app640")
for size in 4000x3000 8000x6000; do
  rss=$(peak "$work/app$size")
  more=$(calc "($rss - $rss640) / 1024" 1)
  row "peak RSS, entry 1 at ${size/x/×} (MiB)" "$(calc "$rss / 1024" 1)" "$(calc "$rss640 / 1024" 1)" \
    "+$more MiB" "≤ +5 MiB" "$(met "$more <= 5")"
done

# --- Picture loading: hostile files, a 200 MP photo, 48 MP progressive ---
echo "picture loading" >&2
python3 tools/hostile_jpegs.py "$work" "$work/app640/room1.jpg"
signed() { awk "BEGIN {printf \"%+.1f\", $1}"; }
size_of() { numfmt --to=iec --suffix=B "$(stat -c %s "$1")"; }
hostile=(hidden_scans empty_scans comments icc)
for name in "${hostile[@]}"; do
  cp -r "$build/app" "$work/app_$name"
  cp "$work/$name.jpg" "$work/app_$name/kita.jpg"
done
QT_QPA_PLATFORM=offscreen "$bin/make_photos" "$build/app/room1.jpg" 16320 12240 "$work/200mp.jpg"
jpegtran -progressive -outfile "$work/48mp_420p.jpg" "$work/8000x6000.jpg"
djpeg "$work/8000x6000.jpg" | cjpeg -quality 90 -sample 1x1 -progressive -outfile "$work/48mp_444p.jpg"
for name in 200mp 48mp_420p 48mp_444p; do
  cp -r "$build/app" "$work/app_$name"
  cp "$work/$name.jpg" "$work/app_$name/room1.jpg"
  cp "$work/$name.jpg" "$work/app_$name/kita.jpg"
done
"$bin/load_picture" "$runs" $(for n in "${hostile[@]}"; do echo "$work/$n.jpg"; done) >"$work/load_hostile"
peak_hostile() { # folder → median maximum resident size in KiB, start-up then the refused entry 2
  for _ in $(seq 5); do
    QT_QPA_PLATFORM=offscreen /usr/bin/time -f %M -o "$work/rss" "$bin/peak_memory" "$1" --then-entry-2
    cat "$work/rss"
  done | median
}
for name in "${hostile[@]}"; do
  read -r _ ms shown < <(grep "/$name.jpg " "$work/load_hostile")
  rss=$(peak_hostile "$work/app_$name")
  more=$(calc "($rss - $rss640) / 1024" 1)
  label="$name.jpg ($(size_of "$work/$name.jpg"), $([ "$shown" = 1 ] && echo shown || echo refused))"
  row "hostile $label: load (ms)" "$(calc "$ms")" "—" "—" "≤ 500 ms" "$(met "$ms <= 500")"
  row "hostile $label: peak RSS (MiB)" "$(calc "$rss / 1024" 1)" "$(calc "$rss640 / 1024" 1)" "$(signed "$more") MiB" "≤ +32 MiB" "$(met "$more <= 32")"
done

read -r _ ours _ < <("$bin/load_picture" "$runs" "$work/200mp.jpg")
floor=$(for _ in $(seq "$runs"); do
  s=$(date +%s%N); djpeg -scale 1/8 -outfile /dev/null "$work/200mp.jpg"; e=$(date +%s%N)
  echo $(((e - s) / 1000))
done | median)
floor=$(calc "$floor / 1000" 3)
ratio=$(calc "$ours / $floor")
row "200 MP baseline 16320×12240 ($(size_of "$work/200mp.jpg")), load (ms)" "$(calc "$ours")" "$(calc "$floor")" "$ratio" "≤ 1.2× djpeg -scale 1/8" "$(met "$ratio <= 1.2")"
rss=$(peak "$work/app_200mp")
more=$(calc "($rss - $rss640) / 1024" 1)
row "peak RSS, entry 1 at 200 MP (MiB)" "$(calc "$rss / 1024" 1)" "$(calc "$rss640 / 1024" 1)" "$(signed "$more") MiB" "≤ +32 MiB" "$(met "$more <= 32")"

# 8000 × 6000: at 4:2:0, 1000 × 750 luma blocks and 500 × 375 of each chroma; at 4:4:4, 3 × 1000 × 750.
for name in 48mp_420p 48mp_444p; do
  blocks=$([ $name = 48mp_420p ] && echo 1125000 || echo 2250000)
  budget=$(calc "$blocks * 128 / 1048576 + 16" 1)
  rss=$(peak "$work/app_$name")
  more=$(calc "($rss - $rss640) / 1024" 1)
  row "peak RSS, 48 MP progressive ${name#48mp_} (MiB)" "$(calc "$rss / 1024" 1)" "$(calc "$rss640 / 1024" 1)" "$(signed "$more") MiB" "≤ +$budget MiB (coefficients + 16)" "$(met "$more <= $budget")"
done

fi # entry switch and peak memory

# --- On the display ---
source tools/virtual_display.sh
start_virtual_display
trap 'kill $_wm_pid $_xvfb_pid 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT

echo "start-up" >&2
first_frames() { # ours-command floor-command → two medians, runs interleaved after one warm-up each
  local ours=() floor=() i
  IFS='|' read -ra ours <<<"$1"
  IFS='|' read -ra floor <<<"$2"
  "$bin/first_frame" "${ours[@]}" >/dev/null
  "$bin/first_frame" "${floor[@]}" >/dev/null
  for i in $(seq "$runs"); do
    "$bin/first_frame" "${ours[@]}" >>"$work/ff_ours"
    "$bin/first_frame" "${floor[@]}" >>"$work/ff_floor"
  done
  echo "$(median <"$work/ff_ours") $(median <"$work/ff_floor")"
  rm -f "$work/ff_ours" "$work/ff_floor"
}
read -r ours floor < <(first_frames "$work/app640/mirteka" "$bin/bare_window")
ratio=$(calc "$ours / $floor")
row "start-up to first frame, 640×480 photos (ms)" "$ours" "$floor" "$ratio" "≤ 1.3× bare Qt window" "$(met "$ratio <= 1.3")"
read -r ours floor < <(first_frames "$work/app640/mirteka" "$bin/plain_window|$work/app640/room1.jpg")
ratio=$(calc "$ours / $floor")
row "start-up to first frame, 640×480 photos (ms)" "$ours" "$floor" "$ratio" "≤ 1.0× plain window, same content" "$(met "$ratio <= 1.0")"
read -r ours floor < <(first_frames "$work/app4000x3000/mirteka" \
  "feh|-g|328x247|--scale-down|$work/app4000x3000/room1.jpg")
ratio=$(calc "$ours / $floor")
row "start-up to first frame, 4000×3000 room1.jpg (ms)" "$ours" "$floor" "$ratio" "≤ 0.85× feh" "$(met "$ratio <= 0.85")"

if [ -z "$only" ]; then
echo "idle" >&2
cpu_ticks() { awk '{sub(/.*\) /, ""); print $12 + $13}' "/proc/$1/stat"; }
idle() { # command title → "wake-ups cpu%" over 10 s, after the window has been up 2 s
  $1 >/dev/null 2>&1 &
  local pid=$! c0
  wait_for_window "$2" >/dev/null || { echo "no window from $1" >&2; exit 1; }
  sleep 2
  c0=$(cpu_ticks $pid)
  # -f with -p attaches every thread of the process.
  timeout -s INT 10 strace -f -c -o "$work/strace" \
    -e trace=poll,ppoll,select,pselect6,epoll_wait,epoll_pwait -p "$pid" || true
  echo "$(awk '$NF == "total" {n = $4} END {print n + 0}' "$work/strace") $(calc "($(cpu_ticks $pid) - $c0) / $(getconf CLK_TCK) / 10 * 100")"
  kill $pid
  wait $pid 2>/dev/null || true
}
for _ in 1 2 3; do
  idle "$work/app640/mirteka" "ヌペ部の謎" >>"$work/idle_ours"
  idle "$bin/bare_window" "bare" >>"$work/idle_floor"
  idle "$bin/bare_window --text-box" "bare" >>"$work/idle_caret"
done
column_median() { cut -d' ' -f"$1" "$2" | median; }
wake_ours=$(column_median 1 "$work/idle_ours")
for floor in floor caret; do
  wake_floor=$(column_median 1 "$work/idle_$floor")
  name=$([ $floor = floor ] && echo "bare window" || echo "bare window, focused text box")
  row "idle wake-ups in 10 s, against $name" "$wake_ours" "$wake_floor" \
    "$(calc "$wake_ours - $wake_floor" 0) extra" "no extra" "$(met "$wake_ours <= $wake_floor")"
done
row "idle CPU, % of one core" "$(column_median 2 "$work/idle_ours")" \
  "$(column_median 2 "$work/idle_floor")" "—" "(absolute)" "—"

echo "glide" >&2
for _ in 1 2 3; do
  "$bin/glide_ticks" >>"$work/glide"
  "$bin/glide_ticks" --bare >>"$work/glide_floor"
done
glide() { awk -v k="$1" '$1 == k {print $2}' "$work/${2:-glide}" | median; }
cpu=$(glide cpu_percent)
p99=$(glide p99_ms)
row "glide CPU, % of one core" "$cpu" "$(glide cpu_percent glide_floor)" "—" "≤ 1 %" "$(met "$cpu <= 1")"
row "glide tick interval, median (ms)" "$(glide median_ms)" "$(glide median_ms glide_floor)" "—" "(50 nominal)" "—"
row "glide tick interval, p99 (ms)" "$p99" "$(glide p99_ms glide_floor)" "—" "≤ 52" "$(met "$p99 <= 52")"
row "glide tick interval, max (ms)" "$(glide max_ms)" "$(glide max_ms glide_floor)" "—" "(absolute)" "—"
fi # idle and glide

table
echo "medians of $runs runs (idle and glide: 3, peak memory: 5); $(nproc) cores"
