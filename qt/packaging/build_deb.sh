#!/usr/bin/env bash
# Builds the Debian package the way Debian builds its own: a build folder of its
# own configured with the compiler and linker flags of dpkg-buildflags (every
# hardening feature on), the program built without its tests, then CPack.
# Prints the path of the package it made.
#
# The same sources give the same package bytes whatever the umask, time zone,
# locale, clock, or the place of the sources and the build folder: file times
# are SOURCE_DATE_EPOCH (the last commit's time unless set), modes come from
# the install rules, and the compiler sees every path below the build folder,
# which the debug information names ".".
#
# Usage: qt/packaging/build_deb.sh [BUILD_DIR [CMAKE_ARGUMENT...]]
#   BUILD_DIR   default build-deb, beside the sources
#   arguments   passed to the configure step, for instance
#               -DMIRTEKA_MAINTAINER="Your Name <you@your.domain>"
# DEB_BUILD_OPTIONS works as in any Debian build (noopt, parallel=N, ...).
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/../.." && pwd -P)
build=${1:-build-deb}
shift || true
for tool in dpkg-buildflags dpkg-shlibdeps cmake cpack; do
    command -v "$tool" >/dev/null || { echo "build_deb.sh: $tool is missing (tools/setup.sh installs it)" >&2; exit 1; }
done
mkdir -p "$build"
build=$(cd "$build" && pwd)

# Time of the newest change: the caller's, else the last commit's, else that of
# the newest entry in the Debian changelog (a source tree without its history).
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    if [ "$(git -C "$source_dir" rev-parse --show-toplevel 2>/dev/null)" = "$source_dir" ]; then
        SOURCE_DATE_EPOCH=$(git -C "$source_dir" log -1 --format=%ct)
    else
        SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -l "$source_dir/debian/changelog" -STimestamp)
    fi
fi
export SOURCE_DATE_EPOCH
echo "SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH"

# The sources are reached through a link inside the build folder, so every path
# the compiler sees, including the relative ones moc writes from its output to
# the headers, lies below the build folder and one prefix map covers them all.
# A folder configured from the sources themselves by an older script starts over.
sources=$build/src
ln -sfn "$source_dir" "$sources"
fresh=()
if [ -f "$build/CMakeCache.txt" ] &&
    ! grep -qxF "CMAKE_HOME_DIRECTORY:INTERNAL=$sources" "$build/CMakeCache.txt"; then
    fresh=(--fresh)
fi

cd "$source_dir"
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
# Stack clash and control-flow protection where dpkg does not add them yet, and
# the build folder, as seen by the compiler, named "." in debug information.
extra=($("$source_dir/qt/packaging/hardening_flags.sh") "-ffile-prefix-map=$build=.")
export DEB_CXXFLAGS_MAINT_APPEND="${extra[*]}"
cppflags=$(dpkg-buildflags --get CPPFLAGS)
cxxflags=$(dpkg-buildflags --get CXXFLAGS)
ldflags=$(dpkg-buildflags --get LDFLAGS)
echo "CPPFLAGS=$cppflags"
echo "CXXFLAGS=$cxxflags"
echo "LDFLAGS=$ldflags"

jobs=$(sed -n 's/.*\bparallel=\([0-9]\+\).*/\1/p' <<<"${DEB_BUILD_OPTIONS:-}")
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
# Build type None: the flags are Debian's alone, with no -O or -g of CMake's; in
# the order debhelper gives them.
cmake "${fresh[@]}" -S "$sources" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=None -DBUILD_TESTING=OFF \
    -DCMAKE_CXX_FLAGS="$cxxflags $cppflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" "$@" >/dev/null
cmake --build "$build" -j"${jobs:-$(nproc)}"
rm -f "$build"/mirteka_*.deb
# CPack gives the members of the package archive the modes of its scratch files,
# which the umask decides; the files inside get theirs from the install rules.
(cd "$build" && umask 022 && cpack -G DEB >/dev/null)
ls "$build"/mirteka_*.deb
