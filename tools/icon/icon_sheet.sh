#!/usr/bin/env bash
# Draws docs/icons.png: the Windows program's icon at each size it carries
# (the .ico the program and the installer embed) beside the Linux theme icons,
# each at its own size, so one sees what each desktop gets. Needs ImageMagick,
# a Linux build (the theme icons) and tools/build_windows.sh (the .ico).
#
#   tools/icon/icon_sheet.sh [ICO] [THEME_DIR] [OUT.png]
set -euo pipefail
cd "$(dirname "$0")/../.."
ico=${1:-build-windows/host/resources/mirteka.ico}
theme=${2:-build/qt/packaging/icons/hicolor}
out=${3:-docs/icons.png}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
font=DejaVu-Sans
row=0

# The .ico's entries by side, and the theme's.
declare -A windows linux
count=$(identify "$ico" | wc -l)
for ((i = 0; i < count; i++)); do
  side=$(identify -format '%w' "$ico[$i]")
  convert "$ico[$i]" "$work/w$side.png"
  windows[$side]=$work/w$side.png
done
for png in "$theme"/*x*/apps/mirteka.png; do
  side=$(identify -format '%w' "$png")
  linux[$side]=$png
done
[ ${#windows[@]} -gt 0 ] && [ ${#linux[@]} -gt 0 ] || { echo "no icons found" >&2; exit 1; }

# One column per side either has: the Windows icon above the Linux one, at
# their own sizes on the same grey, the side below; a dash where a desktop has
# no icon of that side. Every row as high as the largest icon.
sides=$(printf '%s\n' "${!windows[@]}" "${!linux[@]}" | sort -n -u)
high=$(($(tail -n 1 <<<"$sides") + 16))
columns=()
for side in $sides; do
  cell=$((side > 48 ? side + 16 : 64))
  for os in windows linux; do
    declare -n table=$os
    if [ -n "${table[$side]:-}" ]; then
      convert -size "${cell}x$high" xc:'#d4d0c8' "${table[$side]}" -gravity center -composite \
        "$work/$os-$side.png"
    else
      convert -size "${cell}x$high" xc:'#d4d0c8' -font $font -pointsize 11 -fill '#808080' \
        -gravity center -annotate +0+0 '—' "$work/$os-$side.png"
    fi
    unset -n table
  done
  convert "$work/windows-$side.png" "$work/linux-$side.png" \
    \( -size "${cell}x18" xc:white -font $font -pointsize 11 -gravity center -annotate +0+0 "$side px" \) \
    -append "$work/column-$side.png"
  columns+=("$work/column-$side.png")
done
# Row titles left of the columns.
for os in "Windows\n(.exe, installer)" "Linux\n(icon theme)"; do
  convert -size 112x"$high" xc:white -font $font -pointsize 12 -gravity center -annotate +0+0 "$os" \
    "$work/title-$((++row)).png"
done
convert "$work/title-1.png" "$work/title-2.png" -size 112x18 xc:white -append "$work/titles.png"
convert "$work/titles.png" "${columns[@]}" -background white -gravity south +append \
  -bordercolor white -border 8 -strip "$out"
echo "Wrote $out ($(identify -format '%wx%h' "$out"))"
