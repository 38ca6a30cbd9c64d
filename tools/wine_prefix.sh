# Sourced: a fresh wine prefix for running the Windows program and its tests,
# and a private virtual display for its windows.
#
#   source tools/wine_prefix.sh
#   new_wine_prefix DIR      # makes DIR a new prefix and exports WINEPREFIX
#   ensure_wine_prefix DIR   # the same, unless DIR is a ready prefix already
#   start_wine_display       # private Xvfb, DISPLAY exported, both ended on exit
#
# The prefix is made without the runtime installers wine would offer (no
# network here) and with the Japanese faces Windows ships mapped to the IPA
# Gothic faces installed from Debian, so that Japanese text renders.

export WINEDEBUG=-all
# No .NET or HTML engine: wine would otherwise ask to download them.
export WINEDLLOVERRIDES="mscoree,mshtml="

# The faces a Windows program asks for by name, and the installed ones that stand in.
_wine_font_registry() {
  local proportional=IPAPGothic fixed=IPAGothic face
  printf 'Windows Registry Editor Version 5.00\r\n\r\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
  for face in "ＭＳ Ｐゴシック" "MS PGothic" "MS UI Gothic" "Yu Gothic UI" "Yu Gothic" \
    "游ゴシック" "Meiryo UI" "Meiryo" "メイリオ"; do
    printf '"%s"="%s"\r\n' "$face" "$proportional"
  done
  for face in "ＭＳ ゴシック" "MS Gothic"; do
    printf '"%s"="%s"\r\n' "$face" "$fixed"
  done
  printf '\r\n'
}

# Makes $1 a new wine prefix (anything there before is removed) and exports
# WINEPREFIX. Bounded: fails after $WINE_PREFIX_TIMEOUT seconds (default 120).
new_wine_prefix() {
  local dir=${1:?usage: new_wine_prefix DIR} limit=${WINE_PREFIX_TIMEOUT:-120}
  # A wine session still running on the old prefix would keep files open in it.
  [ -d "$dir" ] && WINEPREFIX=$dir timeout 20 wineserver -k >/dev/null 2>&1
  rm -rf "$dir"
  mkdir -p "$(dirname "$dir")"
  export WINEPREFIX=$dir
  if ! timeout "$limit" wineboot --init >/dev/null 2>&1; then
    echo "wineboot --init did not finish within $limit s" >&2
    return 1
  fi
  # regedit reads UTF-16 files with a byte-order mark.
  local reg=$dir/mirteka-fonts.reg
  { printf '\xff\xfe'; _wine_font_registry | iconv -f UTF-8 -t UTF-16LE; } >"$reg"
  timeout "$limit" wine regedit /S "$reg" >/dev/null 2>&1 || {
    echo "regedit could not import $reg" >&2
    return 1
  }
  timeout "$limit" wineserver -w
}

# Makes $1 a new prefix unless it is one made here already; exports WINEPREFIX.
# Tests running side by side wait for one another: one makes it, all use it.
ensure_wine_prefix() {
  local dir=${1:?usage: ensure_wine_prefix DIR}
  mkdir -p "$(dirname "$dir")"
  (
    flock -w "${WINE_PREFIX_TIMEOUT:-120}" 9 || { echo "no lock on $dir.lock" >&2; exit 1; }
    [ -f "$dir/.ready" ] && exit 0
    new_wine_prefix "$dir" && touch "$dir/.ready"
  ) 9>"$dir.lock" || return 1
  export WINEPREFIX=$dir
}

# For a test: the prefix MIRTEKA_WINE_PREFIX names, made if not ready, and no
# wine session left from an earlier test, whose windows would stay off this
# test's display.
fresh_wine_session() {
  ensure_wine_prefix "${MIRTEKA_WINE_PREFIX:?MIRTEKA_WINE_PREFIX must name the wine prefix}" || return 1
  timeout 20 wineserver -k 2>/dev/null
  timeout 20 wineserver -w
}

# Starts a private Xvfb (96 DPI) with a window manager, as every Windows
# desktop has one, and exports DISPLAY; both end when the calling shell exits.
# WINE_WM_CONFIG may name an openbox configuration file to use.
start_wine_display() {
  local number _
  number=$(mktemp)
  # The server picks a free display number itself and writes it, with a line
  # feed, once it takes clients: no race with other displays on the machine.
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -dpi 96 -nolisten tcp -noreset 3>"$number" \
    >/dev/null 2>&1 &
  _wine_xvfb_pid=$!
  for _ in $(seq 200); do
    grep -q '^[0-9]' "$number" && break
    kill -0 "$_wine_xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  export DISPLAY=":$(head -n 1 "$number")"
  rm -f "$number"
  xdpyinfo >/dev/null 2>&1 || { echo "Xvfb did not start" >&2; return 1; }
  openbox ${WINE_WM_CONFIG:+--config-file "$WINE_WM_CONFIG"} >/dev/null 2>&1 &
  _wine_wm_pid=$!
  # Wine reads the work area once, as it starts: not before the window manager
  # has taken the screen and set it.
  for _ in $(seq 200); do
    [[ $(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null) == *"window id"* ]] \
      && xprop -root _NET_WORKAREA 2>/dev/null | grep -q = && break
    sleep 0.1
  done
  trap 'stop_wine_display' EXIT
}

# Ends the wine server of the prefix and the display started above.
stop_wine_display() {
  [ -n "${WINEPREFIX:-}" ] && timeout 20 wineserver -k >/dev/null 2>&1
  [ -n "${_wine_wm_pid:-}" ] && kill "$_wine_wm_pid" 2>/dev/null
  [ -n "${_wine_xvfb_pid:-}" ] && kill "$_wine_xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  return 0
}
