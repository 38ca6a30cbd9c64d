#!/usr/bin/env bash
# Builds the Debian packages the way Debian's build daemons do, to show that
# debian/control's Build-Depends are complete: a fresh Debian 12 system with
# build-essential alone (mmdebstrap's buildd variant), a clean clone of the
# committed sources in it, the Build-Depends and nothing else installed
# (apt-get build-dep, no recommended packages), then dpkg-buildpackage -us -uc
# as an unprivileged user. Writes the source and binary packages, the build log
# and the list of what was installed to OUT_DIR. Needs root and the Debian
# mirror (a few hundred MB), so it is no part of the tests.
#
# Usage: sudo qt/packaging/clean_room_build.sh [OUT_DIR]   (default build-clean-room)
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/../.." && pwd -P)
out=${1:-build-clean-room}
command -v mmdebstrap >/dev/null || { echo "clean_room_build.sh: apt-get install mmdebstrap" >&2; exit 1; }
[ "$(id -u)" = 0 ] || { echo "clean_room_build.sh: run as root" >&2; exit 1; }
mkdir -p "$out"
out=$(cd "$out" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
git clone --quiet "$source_dir" "$scratch/mirteka"
rm -rf "$scratch/mirteka/.git"
jobs=$(nproc)
mmdebstrap --variant=buildd --mode=root --components=main \
    --customize-hook='mkdir -p "$1/build"' \
    --customize-hook="copy-in $scratch/mirteka /build" \
    --customize-hook='chroot "$1" apt-get build-dep -y --no-install-recommends /build/mirteka' \
    --customize-hook='chroot "$1" dpkg-query -W -f="\${Package} \${Version}\n" > "$1/build/installed.txt"' \
    --customize-hook='chroot "$1" useradd --create-home builder && chroot "$1" chown -R builder /build' \
    --customize-hook="chroot \"\$1\" runuser -u builder -- sh -c 'cd /build/mirteka && DEB_BUILD_OPTIONS=parallel=$jobs dpkg-buildpackage -us -uc' > \"\$1/build/build.log\" 2>&1 || { tail -n 40 \"\$1/build/build.log\"; exit 1; }" \
    --customize-hook='rm -rf "$1/build/mirteka"' \
    --customize-hook="sync-out /build $out" \
    bookworm /dev/null
# The build user's files, to the owner of the output folder.
chown -R "$(stat -c %u:%g "$out")" "$out"
ls -l "$out"
