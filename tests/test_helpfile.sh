#!/bin/sh
# The built help file exists and lists every page: test_helpfile.sh HELPFILE PAGE...
set -eu
help=$1
shift
[ -s "$help" ] || { echo "FAIL: $help is missing"; exit 1; }
listing=$(chmls list "$help" 2>/dev/null || chmls "$help")
for page in "$@" toc.hhc; do
  case "$page" in *.*) name=$page ;; *) name=$page.html ;; esac
  echo "$listing" | grep -q "/$name\$" || { echo "FAIL: $name is not in $help"; exit 1; }
done
echo "all $# pages are in $help"
