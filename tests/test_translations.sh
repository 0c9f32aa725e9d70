#!/bin/sh
# Every text the sources mark for translation has a finished translation in
# each catalog: the catalogs are brought up to date with the sources in a
# scratch copy, and lrelease must then find nothing unfinished or untranslated.
# Usage: test_translations.sh LUPDATE LRELEASE SOURCE_DIR TS_FILE...
set -eu
lupdate=$1 lrelease=$2 source=$3
shift 3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
status=0
for ts in "$@"; do
  name=$(basename "$ts" .ts)
  cp "$ts" "$scratch/$name.ts"
  # The same options and sources as the build's own update.
  "$lupdate" -silent -no-obsolete -locations none "$source"/app/*.cpp "$source"/app/*.h \
    "$source"/library/*.cpp "$source"/library/*.h -ts "$scratch/$name.ts"
  report=$("$lrelease" "$scratch/$name.ts" -qm "$scratch/$name.qm")
  echo "$name: $report"
  if ! echo "$report" | grep -q "finished and 0 unfinished"; then
    echo "FAIL: $name has unfinished translations" >&2
    status=1
  fi
  if echo "$report" | grep -qi "untranslated"; then
    echo "FAIL: $name has untranslated texts" >&2
    status=1
  fi
  if grep -q 'type="unfinished"' "$scratch/$name.ts"; then
    echo "FAIL: texts in the sources missing from $name:" >&2
    grep -B2 'type="unfinished"' "$scratch/$name.ts" | grep '<source>' >&2
    status=1
  fi
done
exit $status
