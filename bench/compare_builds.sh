#!/usr/bin/env bash
# Compares this tree's program with another tree's on the rows a refactoring
# must not slow down, side by side in one run, runs interleaved: the first
# frame on screen, the switch between two entries with a 4000 × 3000 photo,
# and loading a 200 MP photo. Both trees must have been built by
# bench/run.sh (their build-bench/ folders); the other tree is typically a
# worktree of an earlier commit:
#
#   git worktree add /tmp/before <commit> && (cd /tmp/before && BENCH_ONLY=startup bench/run.sh)
#   bench/compare_builds.sh /tmp/before
set -euo pipefail
cd "$(dirname "$0")/.."
other=$(cd "${1:?usage: bench/compare_builds.sh OTHER_TREE}" && pwd)
runs=${BENCH_RUNS:-21}
ours_bin=$PWD/build-bench/bench
other_bin=$other/build-bench/bench
for b in "$ours_bin" "$other_bin"; do
  [ -x "$b/first_frame" ] || { echo "no build-bench in ${b%/build-bench/bench}: run bench/run.sh there first" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
median() { sort -g | awk '{a[NR] = $1} END {print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2}'; }
calc() { awk "BEGIN {printf \"%.${2:-2}f\", $1}"; }

# Each program runs from a copy of its own folder, with the same photographs.
for side in ours other; do
  bin=$([ $side = ours ] && echo "$ours_bin" || echo "$other_bin")
  cp -r "$bin/../app" "$work/$side"
  cp "$PWD/build-bench/app/"*.jpg "$work/$side/"
  mkdir "$work/${side}4000"
  cp -r "$work/$side/." "$work/${side}4000/"
done
QT_QPA_PLATFORM=offscreen "$ours_bin/make_photos" "$work/ours/room1.jpg" 4000 3000 "$work/4000.jpg"
QT_QPA_PLATFORM=offscreen "$ours_bin/make_photos" "$work/ours/room1.jpg" 16320 12240 "$work/200mp.jpg"
for side in ours other; do
  cp "$work/4000.jpg" "$work/${side}4000/room1.jpg"
  cp "$work/4000.jpg" "$work/${side}4000/kita.jpg"
done

printf '%s\t%s\t%s\t%s\n' "row" "this tree" "other tree" "ratio"

# Entry switch: each side's own benchmark driver, alternately.
for _ in 1 2 3; do
  for side in ours other; do
    bin=$([ $side = ours ] && echo "$ours_bin" || echo "$other_bin")
    QT_QPA_PLATFORM=offscreen "$bin/bench_entry_switch" --benchmark_filter='entry_switch/4000' \
      --benchmark_repetitions=7 --benchmark_report_aggregates_only=true --benchmark_format=json \
      "$work/$side" "$work/${side}4000" 2>/dev/null |
      python3 -c 'import json, sys
for b in json.load(sys.stdin)["benchmarks"]:
    if b["aggregate_name"] == "median": print(b["real_time"])' >>"$work/switch_$side"
  done
done
a=$(median <"$work/switch_ours"); b=$(median <"$work/switch_other")
printf 'entry switch, 4000×3000 (ms)\t%s\t%s\t%s\n' "$(calc "$a")" "$(calc "$b")" "$(calc "$a / $b")"

# 200 MP: the loader alone, each side's driver, alternately.
for _ in $(seq 5); do
  for side in ours other; do
    bin=$([ $side = ours ] && echo "$ours_bin" || echo "$other_bin")
    read -r _ ms _ < <("$bin/load_picture" 1 "$work/200mp.jpg")
    echo "$ms" >>"$work/load_$side"
  done
done
a=$(median <"$work/load_ours"); b=$(median <"$work/load_other")
printf '200 MP load (ms)\t%s\t%s\t%s\n' "$(calc "$a")" "$(calc "$b")" "$(calc "$a / $b")"

# First frame on a private display, runs interleaved after one warm-up each.
source tools/virtual_display.sh
start_virtual_display
trap 'kill $_wm_pid $_xvfb_pid 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
"$ours_bin/first_frame" "$work/ours/mirteka" >/dev/null
"$ours_bin/first_frame" "$work/other/mirteka" >/dev/null
for _ in $(seq "$runs"); do
  "$ours_bin/first_frame" "$work/ours/mirteka" >>"$work/ff_ours"
  "$ours_bin/first_frame" "$work/other/mirteka" >>"$work/ff_other"
done
a=$(median <"$work/ff_ours"); b=$(median <"$work/ff_other")
printf 'first frame, 640×480 photos (ms)\t%s\t%s\t%s\n' "$a" "$b" "$(calc "$a / $b")"
