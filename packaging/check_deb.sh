#!/usr/bin/env bash
# Builds the Debian package into a scratch folder and checks its contents, its
# dependencies and its version, and that lintian finds no errors in it.
set -u
cpack=${1:?usage: check_deb.sh CPACK CPACK_CONFIG METAINFO CHANGELOG}
config=${2:?}
metainfo=${3:?}
changelog=${4:?}
fail() { echo "FAIL: $*" >&2; exit 1; }
need() { command -v "$1" >/dev/null || { echo "SKIP: $1 is missing (apt-get install $2)"; exit 77; }; }
need dpkg-deb dpkg
need dpkg-shlibdeps dpkg-dev
need lintian lintian

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# CPack rewrites the build's install manifest; keep the user's one.
manifest=$(dirname "$config")/install_manifest.txt
[ -f "$manifest" ] && cp -p "$manifest" "$scratch/manifest.saved"
"$cpack" -G DEB --config "$config" -B "$scratch" >"$scratch/cpack.log" 2>&1
status=$?
if [ -f "$scratch/manifest.saved" ]; then mv "$scratch/manifest.saved" "$manifest"; else rm -f "$manifest"; fi
[ $status = 0 ] || { cat "$scratch/cpack.log"; fail "cpack"; }
debs=("$scratch"/mirteka_*.deb)
[ ${#debs[@]} = 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single mirteka_*.deb: ${debs[*]}"
deb=${debs[0]}
echo "built $(basename "$deb")"

contents=$(dpkg-deb -c "$deb") || fail "dpkg-deb -c"
listing=$(awk '{ $1 = $2 = $3 = $4 = $5 = ""; sub(/^ +/, ""); print }' <<<"$contents")
expected=(
    "./usr/bin/mirteka -> ../lib/mirteka/mirteka"
    ./usr/lib/mirteka/mirteka
    ./usr/share/applications/mirteka.desktop
    ./usr/share/metainfo/io.github.nupebu.mirteka.metainfo.xml
    ./usr/share/man/man1/mirteka.1.gz
    ./usr/share/doc/mirteka/copyright
    ./usr/share/doc/mirteka/changelog.gz
)
for p in room1 room2 kita tv paso1 paso2 karasu matsu saidan higashi; do expected+=("./usr/lib/mirteka/$p.jpg"); done
for s in 32 64 128 256; do expected+=("./usr/share/icons/hicolor/${s}x${s}/apps/mirteka.png"); done
for e in "${expected[@]}"; do
    grep -qxF "$e" <<<"$listing" || fail "the package lacks $e"
done
grep -q '^-rwxr-xr-x root/root .* \./usr/lib/mirteka/mirteka$' <<<"$contents" ||
    fail "the program is not an executable owned by root"
echo "contents: program, link, ten photographs, entries, four icons, manual page, copyright, changelog"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for d in libqt6widgets6 libqt6gui6 libqt6core6 fonts-ipafont-gothic; do
    grep -qE "(^|, )$d( |,|$)" <<<"$depends" || fail "Depends lacks $d"
done

# One version everywhere: package, software-centre release, Debian changelog.
version=$(dpkg-deb -f "$deb" Version)
release=$(grep -o '<release version="[^"]*"' "$metainfo" | head -n 1 | cut -d'"' -f2)
logged=$(sed -n '1s/^mirteka (\([^)]*\)).*/\1/p' "$changelog")
[ "$version" = "$release" ] && [ "$version" = "$logged" ] ||
    fail "versions differ: package $version, metainfo $release, changelog $logged"
echo "version $version in package, metainfo and changelog"

lintian --fail-on none "$deb" >"$scratch/lintian.log" 2>&1
cat "$scratch/lintian.log"
! grep -q '^E:' "$scratch/lintian.log" || fail "lintian found errors"
echo "lintian: no errors"
