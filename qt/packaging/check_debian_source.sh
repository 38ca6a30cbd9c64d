#!/usr/bin/env bash
# Builds the Debian source package and its binary package with Debian's own
# tools (dpkg-buildpackage -us -uc, debhelper) in a copy of the tree as a fresh
# clone has it, with build folders planted beside the sources as a developer's
# clone has them, and checks:
#   - the source package holds the tree and debian/, and no build folder;
#   - every compile had Debian's flags with all hardening, the link LDFLAGS;
#   - the binary package is the one qt/packaging/build_deb.sh makes (CPACK_DEB,
#     from the test debian_package_build): the same control fields but Installed-Size,
#     the same files, modes and owners, the same bytes in every file, the
#     program too once its build id and debug link (to the -dbgsym package)
#     are set aside;
#   - the changelog is signed by the Maintainer, who is the one CMake uses,
#     and qt/packaging/set_maintainer.sh changes both;
#   - lintian --pedantic -I -E on the .dsc and the .changes: no tag but the
#     overridden ones, each override with its reason;
#   - debian/tests (autopkgtest) pass on the program unpacked from the package.
set -u
source_dir=${1:?usage: check_debian_source.sh SOURCE_DIR WORK_DIR CPACK_DEB [COMPILER_LAUNCHER]}
work=${2:?}
cpack_deb=${3:?}
launcher=${4:-}
fail() { echo "FAIL: $*" >&2; exit 1; }
need() { command -v "$1" >/dev/null || { echo "SKIP: $1 is missing (apt-get install $2)"; exit 77; }; }
need git git
need dpkg-buildpackage dpkg-dev
need dpkg-checkbuilddeps dpkg-dev
need dh debhelper
need lintian lintian
need hardening-check devscripts
need xvfb-run xvfb
need xauth xauth
need objcopy binutils
need readelf binutils
[ -f "$cpack_deb" ] || fail "no package from qt/packaging/build_deb.sh at $cpack_deb"
git -C "$source_dir" rev-parse --git-dir >/dev/null 2>&1 || { echo "SKIP: $source_dir is no git checkout"; exit 77; }

mkdir -p "$work" || fail "cannot make $work"
work=$(cd "$work" && pwd)
tree=$work/mirteka
rm -rf "$work"/* && mkdir -p "$tree" "$work/logs"

# --- the tree as a clone has it, plus a developer's build folders -------------
(cd "$source_dir" && git ls-files -z --cached --others --exclude-standard |
    tar --null --no-recursion --ignore-failed-read -T - -cf -) 2>/dev/null | tar -C "$tree" -xf - ||
    fail "cannot copy the tree"
[ -x "$tree/debian/rules" ] || fail "no executable debian/rules in the tree"
mkdir -p "$tree/build/app" "$tree/build-deb" "$tree/.cache"
echo planted >"$tree/build/app/planted"
ln -s .. "$tree/build-deb/src"
cd "$tree" || fail "cd $tree"
dpkg-checkbuilddeps >"$work/logs/builddeps.log" 2>&1 ||
    { cat "$work/logs/builddeps.log"; fail "the Build-Depends are not all installed (tools/setup.sh lists them)"; }

# ccache through CMake's own environment variable, if the tests use it, with
# the usual cache: debhelper gives the build a HOME of its own.
if [ -n "$launcher" ]; then
    export CMAKE_CXX_COMPILER_LAUNCHER=$launcher
    [ "$(basename "$launcher")" = ccache ] && CCACHE_DIR=$("$launcher" -k cache_dir) && export CCACHE_DIR
fi
env -u SOURCE_DATE_EPOCH dpkg-buildpackage -us -uc -j"$(nproc)" >"$work/logs/build.log" 2>&1 ||
    { tail -n 40 "$work/logs/build.log"; fail "dpkg-buildpackage -us -uc"; }
version=$(dpkg-parsechangelog -SVersion)
arch=$(dpkg-architecture -qDEB_HOST_ARCH)
dsc=$work/mirteka_$version.dsc
changes=$work/mirteka_${version}_$arch.changes
deb=$work/mirteka_${version}_$arch.deb
for f in "$dsc" "$changes" "$deb" "$work/mirteka_$version.tar.xz" "$work/mirteka-dbgsym_${version}_$arch.deb"; do
    [ -f "$f" ] || fail "dpkg-buildpackage made no $(basename "$f")"
done
echo "dpkg-buildpackage -us -uc: $(cd "$work" && ls ./*.dsc ./*.tar.* ./*.deb ./*.changes | tr '\n' ' ')"

# --- the source package --------------------------------------------------------
tar -tf "$work/mirteka_$version.tar.xz" | sed 's|^mirteka/||; /\/$/d; /^$/d' | sort >"$work/logs/source.list"
(cd "$source_dir" && git ls-files --cached --others --exclude-standard | while IFS= read -r f; do
    [ -e "$f" ] || [ -L "$f" ] && echo "$f"; done) |
    grep -vE '(^|/)(\.git(ignore|attributes|modules|review)|\.mailmap)$' | sort >"$work/logs/tree.list"
diff "$work/logs/tree.list" "$work/logs/source.list" >"$work/logs/source.diff" ||
    { cat "$work/logs/source.diff"; fail "the source package is not the tree (< only in the tree, > only in the package)"; }
echo "source package: the $(wc -l <"$work/logs/source.list") files of the tree, no build folder"

# --- Debian's flags in every compile and link -----------------------------------
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
DEB_CXXFLAGS_MAINT_APPEND=$(qt/packaging/hardening_flags.sh)
export DEB_CXXFLAGS_MAINT_APPEND
flags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
for f in -fstack-protector-strong -D_FORTIFY_SOURCE=2 -O2; do
    grep -qw -- "$f" <<<"$flags" || fail "dpkg-buildflags with hardening=+all gives no $f"
done
commands=$(grep '"command"' obj-*/compile_commands.json 2>/dev/null)
[ -n "$commands" ] || fail "no compile commands in obj-*/"
for flag in $flags; do
    missing=$(grep -cvF -- " $flag " <<<"$commands")
    [ "$missing" = 0 ] || fail "$missing compile commands lack $flag"
done
ldflags=$(dpkg-buildflags --get LDFLAGS)
grep -qxF "CMAKE_EXE_LINKER_FLAGS:STRING=$ldflags" obj-*/CMakeCache.txt || fail "the program is not linked with $ldflags"
echo "every compile command has $flags; the link $ldflags"

# --- the same package as build_deb.sh's --------------------------------------------
# Each field with its continuation lines, in name order; CPack counts the
# targets of links in Installed-Size, dpkg-gencontrol does not.
fields() {
    dpkg-deb -I "$1" control | awk '/^[^ ]/ { if (f != "") print f; f = $0; next } { f = f "|" $0 } END { print f }' |
        grep -v '^Installed-Size:' | sort
}
diff <(fields "$cpack_deb") <(fields "$deb") >"$work/logs/control.diff" ||
    { cat "$work/logs/control.diff"; fail "the control fields differ (< build_deb.sh, > dpkg-buildpackage)"; }
# Path, mode, owner and link target of each entry, in path order; dpkg-deb
# lists the top folder and puts links last, CPack does neither.
files() { dpkg-deb -c "$1" | awk '$6 != "./" { print $6, $1, $2, $7, $8 }' | sort; }
diff <(files "$cpack_deb") <(files "$deb") >"$work/logs/files.diff" ||
    { cat "$work/logs/files.diff"; fail "the files differ (< build_deb.sh, > dpkg-buildpackage)"; }
for p in cpack debian; do rm -rf "$work/$p" && mkdir "$work/$p"; done
dpkg-deb -R "$cpack_deb" "$work/cpack" && dpkg-deb -R "$deb" "$work/debian" || fail "dpkg-deb -R"
program=usr/lib/mirteka/mirteka
for p in cpack debian; do
    objcopy --remove-section=.gnu_debuglink --remove-section=.note.gnu.build-id \
        "$work/$p/$program" "$work/$p.program" || fail "objcopy on the $p program"
    rm "$work/$p/$program" "$work/$p/DEBIAN/control" "$work/$p/DEBIAN/md5sums"
done
cmp "$work/cpack.program" "$work/debian.program" || fail "the programs differ beyond build id and debug link"
diff -r --no-dereference "$work/cpack" "$work/debian" || fail "the packages' files differ"
echo "the package is build_deb.sh's: control fields, $(wc -l < <(files "$deb")) files, modes, owners and bytes; the program the same code"

root=$work/unpacked
dpkg-deb -x "$deb" "$root" || fail "dpkg-deb -x"
readelf -n "$root/$program" | grep -q 'Build ID' || fail "the program has no build id"
report=$(hardening-check -R "$root/$program" 2>/dev/null)
for line in 'Position Independent Executable: yes' 'Stack protected: yes' 'Read-only relocations: yes' \
    'Immediate binding: yes'; do
    grep -qF "$line" <<<"$report" || fail "hardening-check: not '$line'"
done
echo "hardening-check: PIE, stack protector, read-only relocations, immediate binding"

# --- lintian -------------------------------------------------------------------
overrides=debian/source/lintian-overrides
awk '/^#/ { reason = 1; next } /^[^#[:space:]]/ { if (!reason) exit 1; reason = 0 }' "$overrides" ||
    fail "an override without a reason in $overrides"
lintian --pedantic -I -E --fail-on none "$dsc" "$changes" >"$work/logs/lintian.log" 2>&1
cat "$work/logs/lintian.log"
grep -vE '^running with root privileges' "$work/logs/lintian.log" | grep -q . &&
    fail "lintian --pedantic -I -E on the .dsc and .changes has tags"
echo "lintian --pedantic -I -E on $(basename "$dsc") and $(basename "$changes"): no tag"

# --- one maintainer ----------------------------------------------------------------
maintainer=$(sed -n 's/^Maintainer: *//p' debian/control)
[ "$(dpkg-parsechangelog -SMaintainer)" = "$maintainer" ] || fail "the changelog is not signed by $maintainer"
[ "$(dpkg-deb -f "$deb" Maintainer)" = "$maintainer" ] || fail "the package's Maintainer is not $maintainer"
[ "$(zcat "$root/usr/share/doc/mirteka/changelog.gz")" = "$(cat debian/changelog)" ] ||
    fail "the installed changelog is not debian/changelog"
# Another maintainer, set with the script: the source package, the changelog and
# what CMake configures for build_deb.sh follow.
someone="Package Check <package-check@maintainer.invalid>"
qt/packaging/set_maintainer.sh "$someone" >/dev/null || fail "set_maintainer.sh"
[ "$(dpkg-parsechangelog -SMaintainer)" = "$someone" ] || fail "set_maintainer.sh left the changelog's signer"
[ "$(sed -n 's/^Maintainer: *//p' debian/control)" = "$someone" ] || fail "set_maintainer.sh left debian/control"
cmake -S . -B "$work/configured" -DBUILD_TESTING=OFF >"$work/logs/configure.log" 2>&1 ||
    { cat "$work/logs/configure.log"; fail "configuring after set_maintainer.sh"; }
grep -qF "set(CPACK_PACKAGE_CONTACT \"$someone\")" "$work/configured/CPackConfig.cmake" ||
    fail "CMake's package maintainer did not follow debian/control"
grep -qF " -- $someone  " "$work/configured/qt/packaging/doc/changelog" || fail "CMake's changelog is not signed by $someone"
echo "maintainer $maintainer in debian/control, the changelog and the package; set_maintainer.sh moves all of them"

# --- debian/tests on the unpacked program ------------------------------------------
tests=$(sed -n 's/^Tests: *//p' debian/tests/control)
[ -n "$tests" ] || fail "debian/tests/control names no test"
depends=$(sed -n 's/^Depends: *//p' debian/tests/control | tr ',' '\n' | sed 's/^ *//; s/ .*//' | grep -vx mirteka)
for p in $depends; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' ||
        { echo "SKIP: debian/tests needs $p (apt-get install $p)"; exit 77; }
done
for t in $tests; do
    MIRTEKA_PROGRAM=$root/usr/bin/mirteka timeout 120 "debian/tests/$t" >"$work/logs/test-$t.log" 2>&1 ||
        { cat "$work/logs/test-$t.log"; fail "debian/tests/$t"; }
    cat "$work/logs/test-$t.log"
done
echo "debian/tests: $tests passed on the program from the package"
