#!/usr/bin/env bash
# Builds the Debian package a second time with qt/packaging/build_deb.sh, as
# differently from the first build as one machine allows, and requires the
# same bytes (the conditions are build_deb_under.sh's):
#
#   first    the package every package test checks (debian_package_build):
#            umask 022, TZ UTC-12, locale C.UTF-8, the clock as it is,
#            build folder FIRST_BUILD_DIR
#   second   umask 002, TZ UTC+14 (another date), locale fr_FR.UTF-8, the clock
#            400 days ahead (faketime), build folder WORK_DIR/deeper/folder
#
# Each condition the two builds saw is read from their logs and must differ.
# With ccache, the second build takes from the first only the compiles that
# cannot differ (see build_deb_under.sh); WORK_DIR and FIRST_BUILD_DIR must lie
# in one folder, SHARED_DIR.
#
# Then checks the archive itself: every time stamp is the last commit's, every
# mode is a package's usual one (directories 0755, files 0644, the program 0755)
# and every owner root.
set -u
source_dir=${1:?usage: check_reproducible.sh SOURCE_DIR WORK_DIR FIRST_BUILD_DIR SHARED_DIR [COMPILER_LAUNCHER]}
work=${2:?}
first=${3:?}
shared=${4:?}
launcher=${5:-}
fail() { echo "FAIL: $*" >&2; exit 1; }
need() { command -v "$1" >/dev/null || { echo "SKIP: $1 is missing (apt-get install $2)"; exit 77; }; }
need dpkg-deb dpkg
need ar binutils
need readelf binutils

[ -f "$first.log" ] || fail "no first package build at $first (the test debian_package_build makes it)"
a=$(tail -n 1 "$first.log")
[ -f "$a" ] || fail "the first build named no package: $a"
echo "first:  $(sha256sum "$a")"
mkdir -p "$work" || fail "cannot make $work"
work=$(cd "$work" && pwd)
rm -rf "$work/deeper" "$work/first" "$work/second"
b=$("$source_dir/qt/packaging/build_deb_under.sh" second "$work/deeper/folder" "$shared" "$launcher")
status=$?
[ $status = 77 ] && { echo "$b"; exit 77; }
[ $status = 0 ] || fail "the second build"
echo "second: $(sha256sum "$b")"
log_b=$work/deeper/folder.log

# Every condition differed: umask, time zone, locale, date and build folder.
for c in umask TZ locale date folder; do
    ca=$(sed -n "s/^condition: $c //p" "$first.log")
    cb=$(sed -n "s/^condition: $c //p" "$log_b")
    [ -n "$ca" ] && [ -n "$cb" ] || fail "a build did not report its $c"
    [ "$ca" != "$cb" ] || fail "both builds had $c $ca"
    echo "$c: $ca, then $cb"
done
grep -q "^SOURCE_DATE_EPOCH=" "$log_b" || fail "build_deb.sh reported no SOURCE_DATE_EPOCH"

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
grep -qx "SOURCE_DATE_EPOCH=$epoch" "$log_b" ||
    fail "build_deb.sh used $(grep '^SOURCE_DATE_EPOCH=' "$log_b"), not the last commit's $epoch"
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
