#!/usr/bin/env bash
# Cross-builds the Windows program on Debian 12 (as root): installs what is
# missing, builds libjpeg-turbo from Debian's own source as a static library
# with its vector code, then the program, a portable zip and an installer, all
# into ./build-windows (or the folder given as $1). Safe to run again: the
# library is built once and kept under the build folder, the program is
# rebuilt only where it changed.
#
#   tools/build_windows.sh [BUILD_DIR]
#   MIRTEKA_HOST_BUILD=build tools/build_windows.sh   (the icon from a Linux build)
#
# Writes BUILD_DIR/app/mirteka.exe (beside its photographs),
# BUILD_DIR/mirteka-<version>-windows-x64.zip and
# BUILD_DIR/mirteka-<version>-setup.exe.
#
# Signs the program, the installer and the uninstaller inside it when the
# environment names a certificate and key and a timestamp server (see
# tools/sign_windows.sh: MIRTEKA_SIGN_PKCS12 or MIRTEKA_SIGN_CERT and
# MIRTEKA_SIGN_KEY, MIRTEKA_SIGN_PASSWORD_FILE, MIRTEKA_SIGN_TIMESTAMP); says
# so when it does not.
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD
build_dir=$(realpath -m "${1:-build-windows}")
toolchain=$source_dir/cmake/mingw-w64-x86_64.cmake

packages=(
  cmake ninja-build ccache
  # the icon is drawn as XPM and turned into .ico by a tool of the Linux build
  g++ qt6-base-dev libfontconfig-dev libjpeg62-turbo-dev
  # the cross compilers (posix threads), the resource compiler and objdump
  gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  # libjpeg-turbo's vector code, and unpacking Debian's source of it
  nasm dpkg-dev
  # the portable zip and the installer, signing them, and the signing test's
  # throw-away certificate
  zip nsis osslsigncode openssl
  # the program and its tests under wine on a virtual display, the core's test framework
  wine wine64 xvfb openbox xdotool x11-utils imagemagick fonts-ipafont-gothic doctest-dev
)
source tools/install_packages.sh
install_packages "${packages[@]}"

# libjpeg-turbo: the version Debian 12 ships, from Debian's source package, so
# the Windows program decodes with the same library as the Linux one.
jpeg_version=2.1.5
deps=$build_dir/deps
jpeg_prefix=$deps/libjpeg-turbo-$jpeg_version
jpeg_stamp=$jpeg_prefix/.built

source tools/deb_src.sh # ensure_deb_src

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
  echo "Building libjpeg-turbo $jpeg_version for Windows (static, with SIMD)"
  rm -rf "$deps/libjpeg-turbo-build" "$jpeg_prefix"
  cmake -S "$src" -B "$deps/libjpeg-turbo-build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_C_COMPILER_LAUNCHER=ccache \
    -DCMAKE_INSTALL_PREFIX="$jpeg_prefix" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF \
    -DWITH_SIMD=ON -DREQUIRE_SIMD=ON -Wno-dev >"$deps/libjpeg-turbo-configure.log"
  cmake --build "$deps/libjpeg-turbo-build" -j2 --target jpeg-static >"$deps/libjpeg-turbo-build.log"
  # Install only the library and its headers: the command-line tools are not needed.
  mkdir -p "$jpeg_prefix/lib" "$jpeg_prefix/include"
  cp "$deps/libjpeg-turbo-build/libjpeg.a" "$jpeg_prefix/lib/"
  cp "$src/jpeglib.h" "$src/jmorecfg.h" "$src/jerror.h" \
    "$deps/libjpeg-turbo-build/jconfig.h" "$jpeg_prefix/include/"
  # The vector code must be in: without it the build would be silently scalar.
  local symbols
  symbols=$(x86_64-w64-mingw32-nm "$jpeg_prefix/lib/libjpeg.a")
  grep -q ' T jsimd_idct_islow_avx2' <<<"$symbols" \
    || { echo "libjpeg-turbo was built without its vector code" >&2; exit 1; }
  echo "$jpeg_version" >"$jpeg_stamp"
}

# Whether to sign, decided before anything is built: a half-named certificate stops here.
sign=ON
sign_status=0
tools/sign_windows.sh --check || sign_status=$?
case $sign_status in
0) ;;
1) sign=OFF ;;
*) echo "Not building: the signing environment is incomplete (see tools/sign_windows.sh)" >&2; exit 1 ;;
esac

mkdir -p "$build_dir"
[ -f "$jpeg_stamp" ] || build_jpeg

# The .ico (the build machine's own tool reads the XPM artwork with Qt) and the
# names of the guide's photographs (from the core's list), by the build
# machine: in the Linux build named by MIRTEKA_HOST_BUILD (tools/test.sh names
# its own, which has both already), else in a build of its own.
if [ -n "${MIRTEKA_HOST_BUILD:-}" ]; then
  host=$(realpath "$MIRTEKA_HOST_BUILD")
else
  host=$build_dir/host
  cmake -S "$source_dir" -B "$host" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
fi
cmake --build "$host" -j2 --target mirteka_ico mirteka_photo_list >/dev/null

cmake -S "$source_dir" -B "$build_dir" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE="${MIRTEKA_BUILD_TYPE:-Release}" \
  -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache \
  -DJPEG_INCLUDE_DIR="$jpeg_prefix/include" -DJPEG_LIBRARY_RELEASE="$jpeg_prefix/lib/libjpeg.a" \
  -DMIRTEKA_ICON="$host/resources/mirteka.ico" -DMIRTEKA_PHOTO_NAMES="$host/photo_names.txt" \
  -DMIRTEKA_SIGN_UNINSTALLER=$sign >/dev/null
program=$build_dir/app/mirteka.exe
setup=$(sed -n 's/^MIRTEKA_WINDOWS_SETUP:INTERNAL=//p' "$build_dir/CMakeCache.txt")
zip=$(sed -n 's/^MIRTEKA_WINDOWS_ZIP:INTERNAL=//p' "$build_dir/CMakeCache.txt")
# The program first, signed before the zip and the installer take it in; then
# everything else, the installer signed last.
cmake --build "$build_dir" -j2 --target mirteka
if [ $sign = ON ]; then
  tools/sign_windows.sh "$program"
  rm -f "$setup" "$zip" # they hold the program as it was before signing
fi
cmake --build "$build_dir" -j2
[ $sign = OFF ] || tools/sign_windows.sh "$setup"

# Only DLLs that come with Windows: nothing of ours, no compiler runtime.
imports=$(x86_64-w64-mingw32-objdump -p "$build_dir/app/mirteka.exe" | sed -n 's/^\s*DLL Name: //p')
for dll in $imports; do
  case "${dll,,}" in
  kernel32.dll | user32.dll | gdi32.dll | comctl32.dll | msvcrt.dll | advapi32.dll | ole32.dll | \
    oleaut32.dll | oleacc.dll | shell32.dll | api-ms-win-*) ;;
  *)
    echo "mirteka.exe imports $dll, which Windows does not ship" >&2
    exit 1
    ;;
  esac
done
echo "Built $build_dir/app/mirteka.exe ($(stat -c %s "$build_dir/app/mirteka.exe") bytes; imports: ${imports//$'\n'/ })"
if [ $sign = ON ]; then
  echo "Signed the program, the installer and its uninstaller (verify: osslsigncode verify -in FILE)"
else
  echo "NOT SIGNED: no certificate named (MIRTEKA_SIGN_PKCS12 or MIRTEKA_SIGN_CERT and"
  echo "MIRTEKA_SIGN_KEY, with MIRTEKA_SIGN_TIMESTAMP); Windows will warn on download."
  for f in "$program" "$setup"; do
    tools/sign_windows.sh --signed "$f" &&
      echo "  $(basename "$f") still carries the signature of an earlier build" || true
  done
fi
echo "Installer: $setup"
echo "Zip: $zip"
