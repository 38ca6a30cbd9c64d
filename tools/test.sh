#!/usr/bin/env bash
# Quick start: set up, build and run every test.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
cd build
ctest --output-on-failure -j"$(nproc)" --timeout 600
