#!/usr/bin/env bash
# Installs what the build and the tests need (Debian 12, as root), then
# configures and builds into ./build. Safe to run again: it installs only
# what is missing and rebuilds only what changed.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  # build (ccache keeps rebuilds and the sanitizer build quick), and the core's
  # own tests' framework
  cmake ninja-build g++ qt6-base-dev ccache doctest-dev
  # the picture decoder, and the encoders whose output the loader's tests read
  libjpeg62-turbo-dev libjpeg-turbo-progs python3-pil
  # fontconfig, whose configuration start-up reads ahead on a second core
  libfontconfig-dev
  # the Japanese proportional Gothic the windows are drawn in
  fonts-ipafont-gothic
  # a real window on a virtual display, and a look at it; GNOME's platform
  # theme, which the desktop test pins the windows' look under
  xvfb openbox xdotool wmctrl imagemagick x11-utils qt6-gtk-platformtheme
  # the Windows version resource is checked by compiling it
  binutils-mingw-w64-x86-64 cpp
  # the install tree and the Debian package: validators, Debian's build flags and
  # dependency scan, package checker, hardening-check
  desktop-file-utils appstream dpkg-dev lintian devscripts
  # the Debian source package (debhelper; xauth for xvfb-run in its installed-
  # package test) and the reproducibility test's other clock and locale
  debhelper xauth faketime locales
)

source tools/install_packages.sh
install_packages "${packages[@]}"

build_type=${MIRTEKA_BUILD_TYPE:-RelWithDebInfo}
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE="$build_type" \
  -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
cmake --build build -j"$(nproc)"
