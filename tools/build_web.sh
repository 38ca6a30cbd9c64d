#!/usr/bin/env bash
# Builds the guide for the browser on Debian 12 (as root): installs what is
# missing, builds libjpeg-turbo from Debian's own source for WebAssembly with
# Debian's emscripten, then the program and its site, all into ./build-web
# (or the folder given as $1). Safe to run again: the library is built once
# and kept under the build folder, the program rebuilt only where it changed.
#
#   tools/build_web.sh [BUILD_DIR]
#
# Writes BUILD_DIR/site/ (index.html beside its code and photographs, for any
# static web server) and BUILD_DIR/mirteka-<version>-web.zip of it.
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD
build_dir=$(realpath -m "${1:-build-web}")

packages=(
  cmake ninja-build ccache python3
  # the compiler, its node and unpacking Debian's source of libjpeg-turbo
  emscripten nodejs dpkg-dev
  # the core's test framework; the browsers the page is tested in; the zip's checker
  doctest-dev chromium firefox-esr unzip
)
source tools/install_packages.sh
install_packages "${packages[@]}"
# npm fetches the tests' puppeteer-core; Debian packs it apart from node,
# another node (NodeSource's) brings its own.
command -v npm >/dev/null || install_packages npm
source tools/web_env.sh

jpeg_version=2.1.5
deps=$build_dir/deps
jpeg_prefix=$deps/libjpeg-turbo-$jpeg_version
jpeg_stamp=$jpeg_prefix/.built

source tools/deb_src.sh

build_jpeg() {
  local src_parent=$deps/source
  local src=$src_parent/libjpeg-turbo-$jpeg_version
  if [ ! -d "$src" ]; then
    ensure_deb_src
    rm -rf "$src_parent"
    mkdir -p "$src_parent"
    (cd "$src_parent" && apt-get source -qq libjpeg-turbo >/dev/null)
    [ -d "$src" ] || { echo "apt-get source did not unpack libjpeg-turbo $jpeg_version" >&2; exit 1; }
  fi
  echo "Building libjpeg-turbo $jpeg_version for WebAssembly (static, scalar)"
  rm -rf "$deps/libjpeg-turbo-build" "$jpeg_prefix"
  # configure runs a test program to learn the word size: under node.
  emcmake cmake -S "$src" -B "$deps/libjpeg-turbo-build" -G Ninja \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_COMPILER_LAUNCHER=ccache \
    -DCMAKE_C_FLAGS="-Os" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="node;--no-experimental-fetch" \
    -DCMAKE_INSTALL_PREFIX="$jpeg_prefix" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF \
    -DWITH_SIMD=OFF -Wno-dev >"$deps/libjpeg-turbo-configure.log"
  cmake --build "$deps/libjpeg-turbo-build" -j2 --target jpeg-static >"$deps/libjpeg-turbo-build.log"
  mkdir -p "$jpeg_prefix/lib" "$jpeg_prefix/include"
  cp "$deps/libjpeg-turbo-build/libjpeg.a" "$jpeg_prefix/lib/"
  cp "$src/jpeglib.h" "$src/jmorecfg.h" "$src/jerror.h" \
    "$deps/libjpeg-turbo-build/jconfig.h" "$jpeg_prefix/include/"
  echo "$jpeg_version" >"$jpeg_stamp"
}

mkdir -p "$build_dir"
[ -f "$jpeg_stamp" ] || build_jpeg

# Optimised for speed, not size: the first photograph is decoded by code the
# browser has only just compiled with its quick, unoptimising compiler, where
# -O3's inlining halves the work for 3% more bytes.
emcmake cmake -S "$source_dir" -B "$build_dir" -G Ninja \
  -DCMAKE_BUILD_TYPE="${MIRTEKA_BUILD_TYPE:-Release}" \
  -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache \
  -DJPEG_INCLUDE_DIR="$jpeg_prefix/include" -DJPEG_LIBRARY_RELEASE="$jpeg_prefix/lib/libjpeg.a" \
  -DMIRTEKA_NODE="$(command -v node)" >/dev/null
cmake --build "$build_dir" -j2
cmake --build "$build_dir" --target mirteka_web_zip >/dev/null

zip=$(ls -t "$build_dir"/mirteka-*-web.zip | head -1)
# The listing whole first: grep -q stops reading early, which pipefail takes for unzip failing.
listing=$(unzip -l "$zip")
grep -q 'site/index.html' <<<"$listing" || { echo "$zip lacks the page" >&2; exit 1; }
echo "Site: $build_dir/site"
echo "Zip:  $zip"
