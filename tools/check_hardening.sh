#!/usr/bin/env bash
# Hardening checks, after tools/setup.sh has put the build tools in place:
#  1. every test, built for Debug with AddressSanitizer, LeakSanitizer and
#     UndefinedBehaviorSanitizer (build-asan/), the soak test aside;
#  2. a minute of fuzzing the picture loader (fuzz/run_fuzzer.sh, build-fuzz/);
#  3. the soak test, under the same sanitizers;
#  4. the soak test in the plain build (build/, made by tools/setup.sh), where
#     it also requires resident memory to level off (the sanitizers' own
#     bookkeeping hides that).
# Any sanitizer report fails the test that met it, and so the script. The soak,
# a long run by design, is here and not in tools/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

source tools/install_packages.sh
install_packages clang libclang-rt-14-dev libjpeg-turbo-progs imagemagick python3

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMIRTEKA_SANITIZE=ON \
  -DMIRTEKA_SAMPLE_PHOTO_TOOL=ON -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
cmake --build build-asan -j2

# Qt, fontconfig and GLib keep some process-wide allocations until exit; only
# those are suppressed, never a frame of ours.
export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1
export LSAN_OPTIONS=suppressions=$PWD/tools/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

echo "== every test under the sanitizers"
(cd build-asan && ctest --output-on-failure -j2 --timeout 900 -LE soak)

echo "== fuzzing the picture loader for 60 s"
fuzz/run_fuzzer.sh 60

echo "== soak under the sanitizers"
(cd build-asan && ctest --output-on-failure --timeout 900 -L soak)

echo "== soak in the plain build"
tools/setup.sh
(cd build && ctest --output-on-failure --timeout 900 -L soak)
