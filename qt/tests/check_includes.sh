#!/usr/bin/env bash
# Every include names a header from an include root: by its layer's folder
# ("core/picture_loader.h"), Qt's or the test folder's. A path that climbs
# ("../guide/…") or starts at the root would build all the same, found from
# the including file's own folder, and so get round the include roots that
# keep each layer from seeing the layers above it.
set -u
root=${1:?usage: check_includes.sh SOURCE_DIR}
sources() {
  find "$root" \( -name .git -o -name 'build*' \) -prune -o -type f \
    \( -name '*.h' -o -name '*.hpp' -o -name '*.c' -o -name '*.cc' -o -name '*.cpp' -o -name '*.in' \) \
    -print0
}
climbing='^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"](\.\.[/\\]|[^">]*[/\\]\.\.[/\\]|[/\\])'
bad=$(sources | xargs -0 grep -nHE "$climbing")
if [ -n "$bad" ]; then
  echo "FAIL: includes that climb out of their folder or start at the root:" >&2
  echo "$bad" >&2
  exit 1
fi
echo "no include climbs or starts at the root in $(sources | tr -cd '\0' | wc -c) sources"
