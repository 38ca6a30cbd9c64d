#!/usr/bin/env bash
# The same verdict for every file on Linux and under wine: bench/load_once,
# built for each, loads every file of a bench/loader_budgets.sh run and says
# whether it showed, why not, at what size and how many bytes of picture it
# read; the two must say the same of each file. Prints each file that
# differs, then how many files were compared.
#
#   BENCH_WORK=DIR bench/loader_budgets.sh      # keeps its files in DIR
#   BENCH_WORK=DIR bench/same_verdicts.sh [WINDOWS_BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(realpath "${BENCH_WORK:?set BENCH_WORK to the folder of a bench/loader_budgets.sh run}")
windows=$(realpath -m "${1:-build-windows}")
linux=$PWD/build-bench
[ -x "$windows/app/mirteka.exe" ] || tools/build_windows.sh "$windows" >/dev/null
cmake --build "$windows" -j2 --target load_once >/dev/null
cmake --build "$linux" -j2 --target load_once >/dev/null

source tools/wine_prefix.sh
ensure_wine_prefix "$windows/wine/prefix"
wineserver -p # one server for every load
trap 'wineserver -k 2>/dev/null || true' EXIT

# "shown failure WxH picture-bytes" of one load.
verdict() { "$@" | tr -d '\r' | awk '{print $4, $6, $8, $14}'; }
compared=0 differ=0
for f in "$work"/{quirks,lost,cheap,hostile,crafted,photos}/*.jpg; do
  here=$(verdict "$linux/bench/load_once" "$f")
  there=$(verdict wine "$windows/bench/windows/load_once.exe" "$(winepath -w "$f" 2>/dev/null)")
  compared=$((compared + 1))
  if [ "$here" != "$there" ]; then
    differ=$((differ + 1))
    echo "${f#$work/}: Linux $here, wine $there"
  fi
done
echo "$compared files, $differ with another verdict under wine (fields: shown failure size picture-bytes)"
((differ == 0))
