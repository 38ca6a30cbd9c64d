#!/usr/bin/env bash
# The menu entry and the software-centre entry pass their validators without
# any remark, and agree with each other and with the package version.
set -u
desktop=${1:?usage: check_desktop_files.sh DESKTOP METAINFO VERSION}
metainfo=${2:?}
version=${3:?}
fail() { echo "FAIL: $*" >&2; exit 1; }
need() { command -v "$1" >/dev/null || { echo "SKIP: $1 is missing (apt-get install $2)"; exit 77; }; }
need desktop-file-validate desktop-file-utils
need appstreamcli appstream

# Both files are clean: any remark, even a hint, is a regression. The one
# exception is the validator's wish for a reverse domain name as component id,
# which only the holder of a domain can honour (MIRTEKA_APPSTREAM_ID).
out=$(desktop-file-validate "$desktop" 2>&1)
status=$?
[ -n "$out" ] && echo "$out"
[ $status = 0 ] && [ -z "$out" ] || fail "desktop-file-validate: $desktop"
echo "desktop-file-validate: clean"

id=$(sed -n 's:.*<id>\(.*\)</id>.*:\1:p' "$metainfo")
[ "$(basename "$metainfo")" = "$id.metainfo.xml" ] || fail "$metainfo is not named after its id '$id'"
out=$(appstreamcli validate --no-net --pedantic "$metainfo" 2>&1)
echo "$out"
remarks=$(grep -E '^[EWIP]:' <<<"$out" | grep -vxE "W: $id:[0-9]+: cid-desktopapp-is-not-rdns $id")
[ -z "$remarks" ] || fail "appstreamcli validate: $metainfo"

# What desktops and software centres read besides the validators' minimum.
[ "$(sed -n 's/^StartupNotify=//p' "$desktop")" = true ] || fail "no StartupNotify=true"
grep -q '^GenericName=.' "$desktop" && grep -q '^GenericName\[ja\]=.' "$desktop" ||
    fail "no GenericName in English and Japanese"
for control in pointing keyboard; do
    sed -n '/<supports>/,/<\/supports>/p' "$metainfo" | grep -q "<control>$control</control>" ||
        fail "the metainfo does not list $control among the supported controls"
done
sed -n '/<requires>/,/<\/requires>/p' "$metainfo" | grep -qE '<display_length compare="ge">[0-9]+</display_length>' ||
    fail "the metainfo states no smallest display"
grep -q '<content_rating type="oars-1.1"' "$metainfo" || fail "no content rating"
echo "StartupNotify, GenericName, controls, display, content rating: present"

# The entries must point at each other and at what is installed.
key() { sed -n "s/^$1=//p" "$desktop"; }
[ "$(key Exec)" = mirteka ] || fail "Exec is '$(key Exec)', not the installed command mirteka"
[ "$(key Icon)" = mirteka ] || fail "Icon is '$(key Icon)', not the installed theme icon mirteka"
launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$metainfo")
[ "$launchable" = "$(basename "$desktop")" ] || fail "metainfo launches '$launchable', the menu entry is $(basename "$desktop")"
name=$(sed -n 's:.*<name>\(.*\)</name>.*:\1:p' "$metainfo")
[ "$name" = "$(key Name)" ] || fail "names differ: metainfo '$name', menu entry '$(key Name)'"
release=$(grep -o '<release version="[^"]*"' "$metainfo" | head -n 1 | cut -d'"' -f2)
[ "$release" = "$version" ] || fail "latest release in metainfo is '$release', the package version is $version"
echo "entries agree: Exec/Icon mirteka, launchable $launchable, name $name, release $release"
