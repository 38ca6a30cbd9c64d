#!/usr/bin/env bash
# Serves the browser build's site on this machine for a try:
#
#   tools/serve_web.sh [BUILD_DIR] [PORT]     then open http://localhost:PORT/
#
# Any static web server will do; this one is Python's, bound to localhost only.
set -euo pipefail
cd "$(dirname "$0")/.."
site=$(realpath "${1:-build-web}")/site
port=${2:-8000}
[ -f "$site/index.html" ] || { echo "No site in $site: run tools/build_web.sh first" >&2; exit 1; }
echo "Serving $site at http://localhost:$port/"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory "$site"
