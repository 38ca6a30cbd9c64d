#!/usr/bin/env bash
# Builds the Debian package twice from the same sources with
# qt/packaging/build_deb.sh, as differently as one machine allows, and requires the
# same bytes:
#
#   first    umask 022, TZ UTC-12, locale C.UTF-8, the clock as it is,
#            build folder WORK_DIR/a
#   second   umask 002, TZ UTC+14 (another date), locale fr_FR.UTF-8, the clock
#            400 days ahead (faketime), build folder WORK_DIR/b/deeper/folder
#
# Then checks the archive itself: every time stamp is the last commit's, every
# mode is a package's usual one (directories 0755, files 0644, the program 0755)
# and every owner root.
set -u
source_dir=${1:?usage: check_reproducible.sh SOURCE_DIR WORK_DIR [COMPILER_LAUNCHER]}
work=${2:?}
launcher=${3:-}
fail() { echo "FAIL: $*" >&2; exit 1; }
need() { command -v "$1" >/dev/null || { echo "SKIP: $1 is missing (apt-get install $2)"; exit 77; }; }
need dpkg-deb dpkg
need dpkg-buildflags dpkg-dev
need faketime faketime
need localedef libc-bin
need ar binutils
need readelf binutils

mkdir -p "$work" || fail "cannot make $work"
work=$(cd "$work" && pwd)
# Both builds from scratch, each configured under its own conditions (ccache
# still spares the compiler what it has seen at the same path).
rm -rf "$work/a" "$work/b" "$work/locale" "$work/logs" && mkdir -p "$work/locale" "$work/logs"
# A locale of its own, made for this test only (LOCPATH), so that it is there
# whatever the machine has generated.
localedef -i fr_FR -f UTF-8 "$work/locale/fr_FR.UTF-8" >/dev/null 2>&1 ||
    { echo "SKIP: cannot make the fr_FR.UTF-8 locale (apt-get install locales)"; exit 77; }
LOCPATH=$work/locale LC_ALL=fr_FR.UTF-8 locale 2>&1 | grep -qi 'cannot' &&
    fail "the private fr_FR.UTF-8 locale does not load"

args=()
[ -n "$launcher" ] && args+=(-DCMAKE_CXX_COMPILER_LAUNCHER="$launcher")
# Runs build_deb.sh into BUILD_DIR under UMASK, with the environment given
# before it; prints the package's path.
build() {
    local name=$1 umask=$2 dir=$3
    shift 3
    env -u SOURCE_DATE_EPOCH -u LANGUAGE -u LC_ALL "$@" bash -c 'umask "$0" && exec "$@"' "$umask" \
        "$source_dir/qt/packaging/build_deb.sh" "$dir" "${args[@]}" >"$work/logs/$name.log" 2>&1 ||
        { tail -n 30 "$work/logs/$name.log" >&2; fail "build $name"; }
    tail -n 1 "$work/logs/$name.log"
}
a=$(build first 022 "$work/a" TZ=Etc/GMT+12 LANG=C.UTF-8 LC_ALL=C.UTF-8) || exit 1
echo "first:  $(sha256sum "$a")"
b=$(build second 002 "$work/b/deeper/folder" TZ=Pacific/Kiritimati LOCPATH="$work/locale" \
    LANG=fr_FR.UTF-8 LC_ALL=fr_FR.UTF-8 faketime -f +400d) || exit 1
echo "second: $(sha256sum "$b")"
grep -q "^SOURCE_DATE_EPOCH=" "$work/logs/second.log" || fail "build_deb.sh reported no SOURCE_DATE_EPOCH"

if ! cmp -s "$a" "$b"; then
    # Where they differ: the archive's members, the file list, the control
    # files, the contents, the program's build id.
    echo "--- archive members"
    diff <(ar tv "$a") <(ar tv "$b")
    echo "--- files"
    diff <(dpkg-deb -c "$a") <(dpkg-deb -c "$b")
    for d in first second; do rm -rf "$work/$d" && mkdir "$work/$d"; done
    dpkg-deb -R "$a" "$work/first" && dpkg-deb -R "$b" "$work/second"
    echo "--- contents"
    diff -r "$work/first" "$work/second"
    readelf -n "$work/first/usr/lib/mirteka/mirteka" "$work/second/usr/lib/mirteka/mirteka" | grep 'Build ID'
    fail "the two builds made different packages"
fi
echo "the same bytes from both builds"

# --- the archive: times, modes, owners ------------------------------------------
if [ "$(git -C "$source_dir" rev-parse --show-toplevel 2>/dev/null)" = "$(cd "$source_dir" && pwd -P)" ]; then
    epoch=$(git -C "$source_dir" log -1 --format=%ct)
else
    epoch=$(dpkg-parsechangelog -l "$source_dir/debian/changelog" -STimestamp)
fi
grep -qx "SOURCE_DATE_EPOCH=$epoch" "$work/logs/second.log" ||
    fail "build_deb.sh used $(grep '^SOURCE_DATE_EPOCH=' "$work/logs/second.log"), not the last commit's $epoch"
stamp=$(TZ=UTC date -d "@$epoch" '+%Y-%m-%d %H:%M')
listing=$(TZ=UTC dpkg-deb -c "$b") || fail "dpkg-deb -c"
odd=$(awk -v stamp="$stamp" '$4 " " $5 != stamp' <<<"$listing")
[ -z "$odd" ] || fail "files not dated $stamp (UTC), the last commit's time:"$'\n'"$odd"
# ar prints member times in local time.
members=$(TZ=UTC ar tv "$b")
odd=$(grep -v "^rw-r--r-- 0/0 .* $(TZ=UTC date -d "@$epoch" '+%b %e %H:%M %Y') " <<<"$members")
[ -z "$odd" ] || fail "archive members not 0644, root, dated $stamp:"$'\n'"$odd"
odd=$(awk '{
    path = $6
    if ($2 != "root/root") { print; next }
    if (substr($1, 1, 1) == "d") { if ($1 != "drwxr-xr-x") print; next }
    if (substr($1, 1, 1) == "l") { if ($1 != "lrwxrwxrwx") print; next }
    want = path == "./usr/lib/mirteka/mirteka" ? "-rwxr-xr-x" : "-rw-r--r--"
    if ($1 != want) print
}' <<<"$listing")
[ -z "$odd" ] || fail "unusual modes or owners under umask 002:"$'\n'"$odd"
echo "every file dated $stamp (UTC, the last commit), directories 0755, files 0644, the program 0755, all root's"
