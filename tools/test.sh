#!/usr/bin/env bash
# Quick start: set up, build and run every test: the Linux program's, then
# the Windows program's, cross-built and run under wine, then the browser
# program's, under node and in headless Chromium and Firefox ESR.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
(cd build && ctest --output-on-failure -j"$(nproc)" --timeout 600)
tools/build_windows.sh
(cd build-windows && ctest --output-on-failure -j2 --timeout 300)
tools/build_web.sh
(cd build-web && ctest --output-on-failure -j2 --timeout 600)
