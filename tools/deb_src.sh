# Sourced by the cross builds: ensure_deb_src.
# Adds deb-src entries for the Debian suites already configured, once, so that
# `apt-get source` finds the source package.
ensure_deb_src() {
  apt-get source --print-uris -qq libjpeg-turbo >/dev/null 2>&1 && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "Run as root (or with sudo) to add deb-src entries for apt-get source." >&2
    return 1
  fi
  local stanzas=/etc/apt/sources.list.d/mirteka-deb-src.sources
  local lines=/etc/apt/sources.list.d/mirteka-deb-src.list f
  echo "Adding deb-src entries for the configured Debian suites"
  # deb822 stanzas of the Debian archive, again as source stanzas.
  for f in /etc/apt/sources.list.d/*.sources; do
    [ "$f" = "$stanzas" ] || awk -v RS= -v ORS='\n\n' '
      /(^|\n)Types:[^\n]*deb/ && !/(^|\n)Types:[^\n]*deb-src/ && /debian-archive-keyring|debian\.org/ {
        sub(/Types:[^\n]*/, "Types: deb-src"); print }' "$f"
  done >"$stanzas"
  # One-line entries, if any.
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$f" ] && [ "$f" != "$lines" ] && { grep -E '^deb +.*debian' "$f" | sed -E 's/^deb /deb-src /' || true; }
  done >"$lines"
  [ -s "$stanzas" ] || rm -f "$stanzas"
  [ -s "$lines" ] || rm -f "$lines"
  DEBIAN_FRONTEND=noninteractive apt-get update -qq
}
