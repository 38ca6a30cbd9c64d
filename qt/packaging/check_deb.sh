#!/usr/bin/env bash
# Checks the Debian package that qt/packaging/build_deb.sh made (Debian's compiler
# flags; the test debian_package_build builds it once, with
# build_deb_under.sh first, for every package test) as a distribution would:
# contents, dependencies, one version everywhere, lintian --pedantic with every
# tag shown and none left but the overridden ones, hardening-check on the
# program, no placeholder address or site in anything installed. Then installs
# it into a scratch root and walks through the README's recipe for keeping
# one's own photograph across upgrades, its undo, and the purge.
set -u
build=${1:?usage: check_deb.sh BUILD_DIR}
fail() { echo "FAIL: $*" >&2; exit 1; }
need() { command -v "$1" >/dev/null || { echo "SKIP: $1 is missing (apt-get install $2)"; exit 77; }; }
need dpkg-deb dpkg
need lintian lintian
need hardening-check devscripts
need readelf binutils
need strings binutils

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# build_deb_under.sh's log: build_deb.sh's flags, and the package's path last.
log=$build.log
[ -f "$log" ] || fail "no package build at $build (the test debian_package_build makes it)"
deb=$(tail -n 1 "$log")
[ -f "$deb" ] || { cat "$log"; fail "the build named no package: $deb"; }
echo "checking $(basename "$deb"), built in $build"

# --- Debian's flags reached every compiler and linker call ------------------
flags_of() { sed -n "s/^$1=//p" "$log"; }
[ -n "$(flags_of CXXFLAGS)" ] || fail "build_deb.sh did not report its flags"
commands=$(grep '"command"' "$build/compile_commands.json")
[ -n "$commands" ] || fail "no compile commands in $build"
for flag in $(flags_of CPPFLAGS) $(flags_of CXXFLAGS); do
    missing=$(grep -cvF -- " $flag " <<<"$commands")
    [ "$missing" = 0 ] || fail "$missing compile commands lack $flag"
done
# What LDFLAGS bring, hardening-check sees below (relro, bindnow).
grep -qxF "CMAKE_EXE_LINKER_FLAGS:STRING=$(flags_of LDFLAGS)" "$build/CMakeCache.txt" ||
    fail "the program is not linked with LDFLAGS"
echo "every compile command has CPPFLAGS and CXXFLAGS of dpkg-buildflags, the link LDFLAGS"

# --- contents ----------------------------------------------------------------
contents=$(dpkg-deb -c "$deb") || fail "dpkg-deb -c"
listing=$(awk '{ $1 = $2 = $3 = $4 = $5 = ""; sub(/^ +/, ""); print }' <<<"$contents")
metainfo=./usr/share/metainfo/$(sed -n 's/^MIRTEKA_APPSTREAM_ID:STRING=//p' "$build/CMakeCache.txt").metainfo.xml
expected=(
    "./usr/bin/mirteka -> ../lib/mirteka/mirteka"
    ./usr/lib/mirteka/mirteka
    ./usr/share/applications/mirteka.desktop
    "$metainfo"
    ./usr/share/man/man1/mirteka.1.gz
    ./usr/share/doc/mirteka/copyright
    ./usr/share/doc/mirteka/changelog.gz
    ./usr/share/lintian/overrides/mirteka
)
# The photographs the guide names (its own list, written at build time).
mapfile -t photos <"${MIRTEKA_PHOTO_NAMES:?MIRTEKA_PHOTO_NAMES must name the list of photographs the guide shows}" &&
    [ ${#photos[@]} -gt 0 ] || fail "no photographs listed in $MIRTEKA_PHOTO_NAMES"
for p in "${photos[@]}"; do
    expected+=("./usr/share/mirteka/$p" "./usr/lib/mirteka/$p -> ../../share/mirteka/$p")
done
for s in 16 24 32 48 64 128 256; do expected+=("./usr/share/icons/hicolor/${s}x${s}/apps/mirteka.png"); done
for e in "${expected[@]}"; do
    grep -qxF "$e" <<<"$listing" || fail "the package lacks $e"
done
grep -q '^-rwxr-xr-x root/root .* \./usr/lib/mirteka/mirteka$' <<<"$contents" ||
    fail "the program is not an executable owned by root"
echo "contents: program, links, ${#photos[@]} photographs, entries, seven icons, manual page, copyright, changelog, overrides"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for d in libqt6widgets6 libqt6gui6 libqt6core6 fonts-ipafont-gothic; do
    grep -qE "(^|, )$d( |,|$)" <<<"$depends" || fail "Depends lacks $d"
done

root=$scratch/unpacked
dpkg-deb -x "$deb" "$root" || fail "dpkg-deb -x"
# One version everywhere: package, software-centre release, Debian changelog.
version=$(dpkg-deb -f "$deb" Version)
release=$(grep -o '<release version="[^"]*"' "$root/$metainfo" | head -n 1 | cut -d'"' -f2)
logged=$(zcat "$root/usr/share/doc/mirteka/changelog.gz" | sed -n '1s/^mirteka (\([^)]*\)).*/\1/p')
[ "$version" = "$release" ] && [ "$version" = "$logged" ] ||
    fail "versions differ: package $version, metainfo $release, changelog $logged"
maintainer=$(dpkg-deb -f "$deb" Maintainer)
signer=$(zcat "$root/usr/share/doc/mirteka/changelog.gz" | sed -n 's/^ -- \(.*>\)  .*/\1/p' | head -n 1)
[ "$maintainer" = "$signer" ] || fail "maintainer '$maintainer' did not sign the changelog ('$signer')"
echo "version $version in package, metainfo and changelog; maintainer $maintainer"

# --- no invented address or site ---------------------------------------------
# Every text installed, the manual page and changelog unpacked, and the control
# fields. Mail hosts under .invalid are reserved never to exist; URLs must be
# the copyright format's own or the configured home page.
texts=$scratch/texts
mkdir "$texts"
dpkg-deb -I "$deb" control >"$texts/control"
(cd "$root" && find . -type f -print0) | while IFS= read -r -d '' f; do
    out=$texts/$(tr / _ <<<"$f")
    case $f in
        *.gz) zcat "$root/$f" >"$out" ;;
        *) cp "$root/$f" "$out" ;;
    esac
done
grep -rIiE 'example\.(org|com|net)|@localhost|nupebu|github\.io' "$texts" && fail "a placeholder address in the package"
strings -a "$root/usr/lib/mirteka/mirteka" >"$texts/program.strings"
homepage=$(sed -n 's/^MIRTEKA_HOMEPAGE:STRING=//p' "$build/CMakeCache.txt")
urls=$(grep -rhoE 'https?://[^] "<>)]+' "$texts" | sort -u)
echo "URLs in the package: ${urls:-none}"
while IFS= read -r url; do
    [ -z "$url" ] && continue
    case $url in
        https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/) ;;
        *) [ -n "$homepage" ] && [ "$url" = "$homepage" ] || fail "unexpected URL in the package: $url" ;;
    esac
done <<<"$urls"
echo "no example.org, no placeholder site"

# --- lintian -----------------------------------------------------------------
overrides=$root/usr/share/lintian/overrides/mirteka
# Every override has its reason in the comment above it.
awk '/^#/ { reason = 1; next } /^[^#[:space:]]/ { if (!reason) exit 1; reason = 0 }' "$overrides" ||
    fail "an override without a reason in $overrides"
lintian --pedantic -I -E --fail-on none "$deb" >"$scratch/lintian.log" 2>&1
cat "$scratch/lintian.log"
grep -vE '^running with root privileges' "$scratch/lintian.log" | grep -q . && fail "lintian --pedantic -I -E has tags"
lintian --pedantic -I -E --show-overrides --fail-on none "$deb" 2>&1 |
    sed -n 's/^O: //p' | sort >"$scratch/overridden"
sed -n 's/^\(mirteka: [^#]*[^ ]\) *$/\1/p' "$overrides" | sort >"$scratch/wanted"
diff "$scratch/wanted" "$scratch/overridden" || fail "lintian did not use exactly the overrides"
echo "lintian --pedantic -I -E: no tag; overridden: $(wc -l <"$scratch/overridden")"

# --- hardening-check ---------------------------------------------------------
program=$root/usr/lib/mirteka/mirteka
ignore=()
# Debian 12's own startup files carry no IBT/SHSTK marking, so no program linked
# with them can; hardening-check must judge the line wherever they do.
crti=$(c++ -print-file-name=crti.o)
if ! readelf -n "$crti" 2>/dev/null | grep -q 'x86 feature: IBT, SHSTK'; then
    ignore+=(--nocfprotection)
    readelf -n "$program" | grep -q 'x86 feature: IBT' &&
        fail "the program claims IBT although $crti has no IBT code"
fi
# The fortify line fails whenever no call had a size the compiler could check,
# which its manual calls a false alarm: then every compile must have had
# _FORTIFY_SOURCE (checked above, with CPPFLAGS) and optimisation.
report=$(hardening-check "${ignore[@]}" -R "$program" 2>/dev/null)
if ! grep -q '^__.*_chk$' <<<"$report"; then
    grep -q -- '-D_FORTIFY_SOURCE=[23]' <<<"$(flags_of CPPFLAGS)" && grep -q -- '-O[123s]' <<<"$(flags_of CXXFLAGS)" ||
        fail "no fortified call and no _FORTIFY_SOURCE with optimisation"
    ignore+=(--nofortify)
fi
hardening-check "${ignore[@]}" "$program" 2>/dev/null
status=$?
for line in 'Position Independent Executable: yes' 'Stack protected: yes' 'Read-only relocations: yes' \
    'Immediate binding: yes'; do
    grep -qF "$line" <<<"$report" || fail "hardening-check: not '$line'"
done
[ $status = 0 ] || fail "hardening-check ${ignore[*]}"
echo "hardening-check: passed${ignore[*]:+ (judged elsewhere: ${ignore[*]})}"

# --- install, keep one's own photograph, undo, purge ---------------------------
# A scratch root with a database of its own; the package has no maintainer
# scripts, so nothing runs inside it.
sysroot=$scratch/root
mkdir -p "$sysroot/var/lib/dpkg/info" "$sysroot/var/lib/dpkg/updates" && touch "$sysroot/var/lib/dpkg/status"
dpkg_root() { dpkg --root="$sysroot" --force-depends --force-not-root "$@" >>"$scratch/dpkg.log" 2>&1; }
dpkg_root -i "$deb" || { cat "$scratch/dpkg.log"; fail "dpkg -i"; }
photo=/usr/share/mirteka/room1.jpg
cmp -s "$sysroot$photo" "$root$photo" || fail "room1.jpg not installed"
[ "$(readlink -f "$sysroot/usr/lib/mirteka/room1.jpg")" = "$sysroot$photo" ] ||
    fail "the program's room1.jpg does not lead to $photo"
# The README's recipe, with --root for the scratch root.
mine=$scratch/my-room.jpg
cp "$root/usr/share/mirteka/kita.jpg" "$mine"
dpkg-divert --root="$sysroot" --local --rename --add "$photo" >>"$scratch/dpkg.log" 2>&1 || fail "dpkg-divert --add"
cp "$mine" "$sysroot$photo"
dpkg_root -i "$deb" || { cat "$scratch/dpkg.log"; fail "reinstalling"; }
cmp -s "$sysroot/usr/lib/mirteka/room1.jpg" "$mine" || fail "a reinstall replaced the diverted photograph"
cmp -s "$sysroot$photo.distrib" "$root$photo" || fail "the package's room1.jpg is not in room1.jpg.distrib"
rm "$sysroot$photo"
dpkg-divert --root="$sysroot" --local --rename --remove "$photo" >>"$scratch/dpkg.log" 2>&1 || fail "dpkg-divert --remove"
cmp -s "$sysroot/usr/lib/mirteka/room1.jpg" "$root$photo" || fail "the undo did not bring the package's room1.jpg back"
[ ! -e "$sysroot$photo.distrib" ] || fail "room1.jpg.distrib left behind"
dpkg_root --purge mirteka || { cat "$scratch/dpkg.log"; fail "dpkg --purge"; }
left=$(cd "$sysroot" && find usr ! -type d 2>/dev/null)
[ -z "$left" ] || fail "left after purge: $left"
echo "installed, photograph diverted and kept over a reinstall, diversion undone, purged without a trace"
