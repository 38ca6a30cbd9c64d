#!/usr/bin/env bash
# Builds the Debian package the way Debian builds its own: a build folder of its
# own configured with the compiler and linker flags of dpkg-buildflags (every
# hardening feature on), the program built without its tests, then CPack.
# Prints the path of the package it made.
#
# Usage: packaging/build_deb.sh [BUILD_DIR [CMAKE_ARGUMENT...]]
#   BUILD_DIR   default build-deb, beside the sources
#   arguments   passed to the configure step, for instance
#               -DMIRTEKA_MAINTAINER="Your Name <you@your.domain>"
# DEB_BUILD_OPTIONS works as in any Debian build (noopt, parallel=N, ...).
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build-deb}
shift || true
for tool in dpkg-buildflags dpkg-shlibdeps cmake cpack; do
    command -v "$tool" >/dev/null || { echo "build_deb.sh: $tool is missing (tools/setup.sh installs it)" >&2; exit 1; }
done
mkdir -p "$build"
build=$(cd "$build" && pwd)

# From the source folder, so that dpkg-buildflags maps it to "." in debug paths.
cd "$source_dir"
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
# Stack clash protection and, on x86, control-flow protection join hardening=+all
# only in later dpkg releases; add them where dpkg does not and the compiler can.
cxx=${CXX:-c++}
extra=()
for flag in -fstack-clash-protection -fcf-protection; do
    dpkg-buildflags --get CXXFLAGS | grep -qw -- "$flag" && continue
    echo 'int main() { return 0; }' | "$cxx" -x c++ -Werror "$flag" -o /dev/null - 2>/dev/null &&
        extra+=("$flag")
done
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
# Build type None: the flags are Debian's alone, with no -O or -g of CMake's.
cmake -S "$source_dir" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=None -DBUILD_TESTING=OFF \
    -DCMAKE_CXX_FLAGS="$cppflags $cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" "$@" >/dev/null
cmake --build "$build" -j"${jobs:-$(nproc)}"
rm -f "$build"/mirteka_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/mirteka_*.deb
