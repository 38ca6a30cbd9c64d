#!/usr/bin/env bash
# Every include names a header from an include root: by its layer's folder
# ("core/picture_loader.h", "qt/forms/surface.h"), a toolkit's or the test
# folder's. A path that climbs ("../forms/…") or starts at the root would
# build all the same, found from the including file's own folder, and so get
# round the include roots that keep each layer from seeing the layers above
# it. And the layers' own includes run only downward: the core names no front
# end and no toolkit, a front end names no other front end, and a front end's
# forms/ names neither its about/ nor its app/, nor about/ its app/.
set -u
root=${1:?usage: check_includes.sh SOURCE_DIR}
sources() {
  find "$root"/"${1:-}" \( -name .git -o -name 'build*' -o -name node_modules \) -prune -o -type f \
    \( -name '*.h' -o -name '*.hpp' -o -name '*.c' -o -name '*.cc' -o -name '*.cpp' -o -name '*.in' \) \
    -print0
}
status=0
report() {
  echo "FAIL: $1:" >&2
  echo "$2" >&2
  status=1
}
include='^[[:space:]]*#[[:space:]]*include[[:space:]]*'
climbing="$include[<\"](\.\.[/\\]|[^\">]*[/\\]\.\.[/\\]|[/\\])"
bad=$(sources | xargs -0 grep -nHE "$climbing")
[ -z "$bad" ] || report "includes that climb out of their folder or start at the root" "$bad"

# upward FOLDER PATTERN WHAT: includes in FOLDER's sources that match PATTERN.
upward() {
  [ -d "$root/$1" ] || return 0
  local found
  found=$(sources "$1" | xargs -0 grep -nHE "$include[<\"]($2)")
  [ -z "$found" ] || report "$3" "$found"
}
upward core 'qt/|win32/|web/|Q[A-Za-z]*[>"]|emscripten' "the core includes a front end or a toolkit"
upward qt 'win32/|web/' "the Qt front end includes another front end"
upward win32 'qt/|web/|Q[A-Za-z]*[>"]' "the Windows front end includes another front end"
upward web 'qt/|win32/|Q[A-Za-z]*[>"]|windows\.h' "the web front end includes another front end"
for front in qt win32 web; do
  upward "$front/forms" "$front/(about|app)/" "$front/forms includes a layer above it"
  upward "$front/about" "$front/app/" "$front/about includes a layer above it"
done
[ "$status" = 0 ] && echo "no include climbs, starts at the root or runs upward in $(sources | tr -cd '\0' | wc -c) sources"
exit "$status"
