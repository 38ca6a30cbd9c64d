#!/usr/bin/env bash
# Runs qt/packaging/build_deb.sh under one of the two sets of conditions the
# package tests build in, as different as one machine allows:
#
#   first    umask 022, TZ UTC-12, locale C.UTF-8, the clock as it is
#   second   umask 002, TZ UTC+14 (another date), locale fr_FR.UTF-8 (made for
#            this build alone, LOCPATH), the clock 400 days ahead (faketime)
#
# The first package is the one every package test checks: the test
# debian_package_build makes it once, into build/debian-package. The test
# reproducible_deb makes the second in a folder of another name and depth and
# requires the same bytes (check_reproducible.sh). Either starts from an empty
# build folder.
#
# With ccache as the launcher, the second build takes from the cache only the
# compiles that cannot differ from the first's, and compiles the others again;
# both builds look the cache up alike, whatever the user's ccache settings:
#   base_dir SHARED_DIR   paths below it (both build folders, and through
#                         their links the sources) reach the compiler relative
#                         to the build folder;
#   hash_dir              with debug information on, the compiler's working
#                         folder, as the prefix map leaves it, is part of each
#                         lookup: if the build folder reached the object files,
#                         every compile would miss and the difference show;
#   sloppiness locale     the compiler's messages may come in either language;
#                         its output is the same for two UTF-8 locales. No
#                         other sloppiness: a file that uses __DATE__ or
#                         __TIME__ is compiled again under the other clock.
# Everything after the compiler (moc, rcc, linking, installing, compressing,
# CPack) runs again in full under the second conditions.
#
# Writes build_deb.sh's output to BUILD_DIR.log, after the conditions as the
# build saw them, one a line ("condition: umask 0022", and TZ, locale, date,
# folder), and prints the package's path. Exits 77 when a tool it needs is missing.
#
# Usage: build_deb_under.sh first|second BUILD_DIR SHARED_DIR [COMPILER_LAUNCHER]
set -u
which=${1:?usage: build_deb_under.sh first|second BUILD_DIR SHARED_DIR [COMPILER_LAUNCHER]}
build=${2:?}
shared=$(cd "${3:?}" && pwd) || exit 1
launcher=${4:-}
source_dir=$(cd "$(dirname "$0")/../.." && pwd -P)
fail() { echo "FAIL: $*" >&2; exit 1; }
need() { command -v "$1" >/dev/null || { echo "SKIP: $1 is missing (apt-get install $2)"; exit 77; }; }
need dpkg-deb dpkg
need dpkg-buildflags dpkg-dev
need dpkg-shlibdeps dpkg-dev

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
case $which in
first)
    mask=022
    conditions=(TZ=Etc/GMT+12 LANG=C.UTF-8 LC_ALL=C.UTF-8)
    ;;
second)
    need faketime faketime
    need localedef libc-bin
    mask=002
    # A locale of its own, so that it is there whatever the machine has generated.
    localedef -i fr_FR -f UTF-8 "$scratch/fr_FR.UTF-8" >/dev/null 2>&1 ||
        { echo "SKIP: cannot make the fr_FR.UTF-8 locale (apt-get install locales)"; exit 77; }
    LOCPATH=$scratch LC_ALL=fr_FR.UTF-8 locale 2>&1 | grep -qi 'cannot' &&
        fail "the private fr_FR.UTF-8 locale does not load"
    conditions=(TZ=Pacific/Kiritimati LOCPATH="$scratch" LANG=fr_FR.UTF-8 LC_ALL=fr_FR.UTF-8 faketime -f +400d)
    ;;
*) fail "build_deb_under.sh: no conditions called '$which' (first or second)" ;;
esac

rm -rf "$build" && mkdir -p "$build" || fail "cannot make $build"
build=$(cd "$build" && pwd)
case $build in "$shared"/*) ;; *) fail "$build does not lie in $shared" ;; esac
log=$build.log
args=()
[ -n "$launcher" ] && args+=(-DCMAKE_CXX_COMPILER_LAUNCHER="$launcher")
env -u SOURCE_DATE_EPOCH -u LANGUAGE -u LC_ALL -u CCACHE_NOHASHDIR \
    CCACHE_BASEDIR="$shared" CCACHE_HASHDIR=1 CCACHE_SLOPPINESS=locale "${conditions[@]}" bash -c '
    umask "$0" || exit
    printf "condition: %s\n" "umask $(umask)" "TZ $TZ" "locale $LC_ALL" "date $(date +%F)" "folder $1"
    exec "${@:2}"' "$mask" "$build" "$source_dir/qt/packaging/build_deb.sh" "$build" "${args[@]}" >"$log" 2>&1 ||
    { tail -n 30 "$log" >&2; fail "build_deb.sh ($which conditions; the log is $log)"; }
deb=$(tail -n 1 "$log")
[ -f "$deb" ] || { tail -n 30 "$log" >&2; fail "build_deb.sh named no package: $deb"; }
echo "$deb"
