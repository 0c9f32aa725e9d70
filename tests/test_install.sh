#!/bin/sh
# Installs the build into a temporary prefix and checks the tree the desktop
# entry and the program expect: test_install.sh BUILD_DIR HAS_HELP
set -eu
build=$1
has_help=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cmake --install "$build" --prefix "$prefix" > "$prefix/install.log"

link="$prefix/bin/ninegrove"
[ -L "$link" ] || fail "no command link at $link"
program=$(readlink -f "$link")
folder=$(dirname "$program")
[ -x "$program" ] || fail "the link does not reach the program"
[ "$(basename "$folder")" = ninegrove ] || fail "the program is not in its own folder: $folder"
[ -d "$folder/Data" ] || fail "no Data folder beside the program"
if [ "$has_help" = 1 ]; then
  [ -s "$folder/nghelp.chm" ] || fail "no help file beside the program"
fi

desktop="$prefix/share/applications/ninegrove.desktop"
[ -f "$desktop" ] || fail "no desktop entry"
if command -v desktop-file-validate > /dev/null; then
  desktop-file-validate "$desktop" || fail "the desktop entry does not validate"
fi
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[ -e "$prefix/bin/$exec_name" ] || fail "Exec=$exec_name is not in $prefix/bin"
icon=$(sed -n 's/^Icon=//p' "$desktop")
for size in 16 22 24 32 48 64 128 256; do
  png="$prefix/share/icons/hicolor/${size}x${size}/apps/$icon.png"
  [ -s "$png" ] || fail "no ${size}x${size} icon"
done
[ -s "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no scalable icon"

# Started through the link from elsewhere, the program finds its own folder.
report=$(cd / && PATH="$prefix/bin:$PATH" ninegrove --version)
echo "$report"
echo "$report" | grep -qx "Program folder: $folder" || fail "the program looks in the wrong folder"
echo "$report" | grep -qx "Library folder: $folder/Data" || fail "the program misses Data"
if [ "$has_help" = 1 ]; then
  echo "$report" | grep -qx "Help file: $folder/nghelp.chm" || fail "the program misses the help file"
fi
echo "installed tree is complete"
