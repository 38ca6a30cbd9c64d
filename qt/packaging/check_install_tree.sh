#!/usr/bin/env bash
# Installs the build into a scratch folder and checks the tree: the command on
# the path is a relative link to the program, the photographs lie beside the
# program file, menu and software-centre entries and theme icons are in place.
# Then starts the installed program through the link, from another directory,
# in place and from a copy of the tree under a folder whose name has Japanese
# characters and spaces: it must find its photographs (no "えらー" message box)
# and, with room1.jpg removed from the copy, must report it.
set -u
cmake=${1:?usage: check_install_tree.sh CMAKE BUILD_DIR ICON_ARTWORK}
build=${2:?}
artwork=${3:?}
fail() { echo "FAIL: $*" >&2; exit 1; }
need() { command -v "$1" >/dev/null || { echo "SKIP: $1 is missing (apt-get install $2)"; exit 77; }; }
need identify imagemagick
need appstreamcli appstream
need comm coreutils
for t in Xvfb openbox xdotool wmctrl xdpyinfo; do need $t "xvfb openbox xdotool wmctrl x11-utils"; done

# The photographs the guide names (its own list, written at build time).
mapfile -t photos <"${MIRTEKA_PHOTO_NAMES:?MIRTEKA_PHOTO_NAMES must name the list of photographs the guide shows}" &&
    [ ${#photos[@]} -gt 0 ] || fail "no photographs listed in $MIRTEKA_PHOTO_NAMES"
# Left in the test's working folder after a run, for a look when it fails.
scratch=$PWD/install-tree
rm -rf "$scratch" && mkdir -p "$scratch" || fail "cannot make $scratch"
mkdir -m 700 "$scratch/runtime" && export XDG_RUNTIME_DIR=$scratch/runtime

# Installing rewrites the build's install manifest; keep the user's one.
manifest=$build/install_manifest.txt
[ -f "$manifest" ] && cp -p "$manifest" "$scratch/manifest.saved"
# Under a umask that lets the group write, as many desktops have it: the modes
# must come from the install rules all the same.
(umask 002 && DESTDIR="$scratch/dest" "$cmake" --install "$build" --prefix /usr/local) >"$scratch/install.log" 2>&1
status=$?
if [ -f "$scratch/manifest.saved" ]; then mv "$scratch/manifest.saved" "$manifest"; else rm -f "$manifest"; fi
[ $status = 0 ] || { cat "$scratch/install.log"; fail "cmake --install"; }
root=$scratch/dest/usr/local
odd=$(find "$scratch/dest" \( \( -type d ! -perm 755 \) -o \( -type f -path '*/lib/mirteka/mirteka' ! -perm 755 \) -o \
    \( -type f ! -path '*/lib/mirteka/mirteka' ! -perm 644 \) \) -printf '%m %p\n')
[ -z "$odd" ] || fail "modes other than 0755 for folders and the program, 0644 for files, under umask 002:"$'\n'"$odd"
echo "installed under umask 002: folders and the program 0755, every other file 0644"

# Program folder and the link to it.
[ -L "$root/bin/mirteka" ] || fail "bin/mirteka is not a symbolic link"
[ "$(readlink "$root/bin/mirteka")" = ../lib/mirteka/mirteka ] ||
    fail "bin/mirteka points at '$(readlink "$root/bin/mirteka")', not ../lib/mirteka/mirteka"
program=$(readlink -f "$root/bin/mirteka")
[ "$program" = "$(readlink -f "$root/lib/mirteka/mirteka")" ] && [ -f "$program" ] && [ -x "$program" ] ||
    fail "bin/mirteka does not lead to an executable lib/mirteka/mirteka"
head -c 4 "$program" | grep -q ELF || fail "lib/mirteka/mirteka is not a program"
# The photographs live in share/mirteka; beside the program, relative links.
for p in "${photos[@]}"; do
    [ -f "$root/share/mirteka/$p" ] && [ ! -L "$root/share/mirteka/$p" ] || fail "share/mirteka/$p is no file"
    [ "$(readlink "$root/lib/mirteka/$p")" = "../../share/mirteka/$p" ] ||
        fail "lib/mirteka/$p is not a link to ../../share/mirteka/$p"
    [ "$(head -c 3 "$(dirname "$program")/$p" 2>/dev/null | od -An -tx1 | tr -d ' ')" = ffd8ff ] ||
        fail "$p beside the program does not lead to a JPEG"
done
[ "$(ls -A "$root/share/mirteka" | sort)" = "$(printf '%s\n' "${photos[@]}" | sort)" ] ||
    fail "share/mirteka holds other files than the photographs the guide names: $(ls -A "$root/share/mirteka" | tr '\n' ' ')"
echo "bin/mirteka -> ../lib/mirteka/mirteka, ${#photos[@]} links beside it to the JPEGs in share/mirteka"

# Desktop integration: the software-centre entry finds its menu entry and icon.
[ -f "$root/share/applications/mirteka.desktop" ] || fail "no menu entry"
metainfo=$(ls "$root"/share/metainfo/*.metainfo.xml 2>/dev/null) || fail "no software-centre entry"
# The only remark allowed is the one about an id that is no reverse domain name
# (see check_desktop_files.sh).
out=$(appstreamcli validate-tree --no-net "$root" 2>&1)
echo "$out"
id=$(basename "$metainfo" .metainfo.xml)
grep -E '^[EWIP]:' <<<"$out" | grep -vqE "^W: $id:[0-9]+: cid-desktopapp-is-not-rdns $id$" &&
    fail "appstreamcli validate-tree"

# Icons: every pixel of every size is a pixel of the artwork: only its colours,
# and fully opaque or fully transparent. A smooth scaler's blur would bring in
# new colours or half-transparent edges.
colours() {
    convert "$1" -alpha on -depth 8 txt:- |
        awk 'NR > 1 { print (substr($3, 8, 2) == "00" ? "transparent" : $3) }' | sort -u
}
colours "$artwork" >"$scratch/palette"
[ "$(wc -l <"$scratch/palette")" -ge 3 ] || fail "cannot read the artwork's colours"
theme=$root/share/icons/hicolor
small=$theme/32x32/apps/mirteka.png
[ -f "$small" ] || fail "no 32x32 icon"
compare -metric AE "$artwork" "$small" null: 2>/dev/null || fail "the 32x32 icon is not the artwork"
for s in 16 24 32 48 64 128 256; do
    icon=$theme/${s}x${s}/apps/mirteka.png
    [ "$(identify -format '%m %wx%h' "$icon" 2>/dev/null)" = "PNG ${s}x${s}" ] || fail "$icon is not a ${s}x${s} PNG"
    alien=$(colours "$icon" | comm -23 - "$scratch/palette")
    [ -z "$alien" ] || fail "the ${s}x${s} icon has colours the artwork has not: $(head -n 5 <<<"$alien" | tr "\n" " ")..."
    opaque=$(convert "$icon" -alpha extract -threshold 50% -format '%[fx:mean]' info:)
    awk -v o="$opaque" 'BEGIN { exit !(o >= 0.35) }' || fail "the ${s}x${s} icon is mostly empty ($opaque opaque)"
done
# From 48 up: drawn by edge-aware doubling, not the 32x32 one with its pixels
# merely repeated (the blocky look a desktop's own scaler gives).
for s in 48 64 128 256; do
    differing=$(convert "$small" -filter point -resize ${s}x${s} png:- |
        compare -metric AE - "$theme/${s}x${s}/apps/mirteka.png" null: 2>&1)
    [[ $differing =~ ^[0-9]+$ ]] || fail "cannot compare the ${s}x${s} icon: $differing"
    [ "$differing" -gt 0 ] || fail "the ${s}x${s} icon is the 32x32 one with its pixels repeated"
done
echo "menu entry, software-centre entry, icons 16 to 256 in place, every pixel one of the artwork's"

# Uninstalling as the README says: the same install command once more without
# DESTDIR, then delete what the manifest lists. After the DESTDIR install above
# the manifest names /usr/local paths without the DESTDIR, which is why the
# README's recipe reinstalls first instead of trusting an older manifest.
mkdir "$scratch/manifest-check"
[ -f "$manifest" ] && cp -p "$manifest" "$scratch/manifest-check/saved"
DESTDIR="$scratch/stage" "$cmake" --install "$build" --prefix /usr/local >/dev/null 2>&1 || fail "staging"
grep -qx /usr/local/lib/mirteka/mirteka "$manifest" || fail "the manifest after staging does not list /usr/local/lib/mirteka/mirteka"
prefix=$scratch/prefix
env -u DESTDIR "$cmake" --install "$build" --prefix "$prefix" >/dev/null 2>&1 || fail "installing into $prefix"
xargs -d '\n' rm -f -- <"$manifest"
status=$?
if [ -f "$scratch/manifest-check/saved" ]; then mv "$scratch/manifest-check/saved" "$manifest"; else rm -f "$manifest"; fi
[ $status = 0 ] || fail "rm of the manifest's files"
left=$(find "$prefix" ! -type d)
[ -z "$left" ] || fail "left after uninstalling: $left"
[ -L "$scratch/stage/usr/local/bin/mirteka" ] && [ -f "$scratch/stage/usr/local/share/mirteka/room1.jpg" ] ||
    fail "uninstalling from $prefix touched the staged tree"
echo "uninstall recipe: removes every file it installed, and nothing else"

source "$(dirname "$0")/../../tools/virtual_display.sh"
start_virtual_display

# Starts $1 from the scratch folder and checks that the main window comes up
# without a missing-picture message.
runs_clean() {
    (cd "$scratch" && exec "$1") &
    local pid=$! win
    # The first photograph loads before the main window is shown, so a missing
    # one shows up as えらー instead of the main window.
    win=$(wait_for_window "ヌペ部の謎")
    sleep 2
    if xdotool search --name '^えらー$' >/dev/null 2>&1; then
        kill $pid
        fail "$1 reported a missing photograph"
    fi
    [ -n "$win" ] && xdotool search --onlyvisible --name '^ヌペ部の謎$' >/dev/null ||
        { kill $pid; fail "no main window from $1"; }
    wmctrl -i -c "$win"
    wait $pid || fail "$1 ended with status $?"
    echo "started through $1: photographs found"
}

runs_clean "$root/bin/mirteka"

copy="$scratch/ヌペ 部 フォルダ/usr"
mkdir -p "$(dirname "$copy")" && cp -a "$root" "$copy" || fail "cannot copy the tree"
runs_clean "$copy/bin/mirteka"

# Negative control: the check above can see a missing photograph.
rm "$copy/lib/mirteka/room1.jpg"
(cd "$scratch" && exec "$copy/bin/mirteka") &
pid=$!
wait_for_window "えらー" >/dev/null || { kill $pid; fail "no えらー message with room1.jpg removed"; }
kill $pid
wait $pid 2>/dev/null
echo "room1.jpg removed from the copy: えらー reported"
