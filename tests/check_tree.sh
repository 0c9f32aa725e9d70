#!/bin/sh
# Checks an installed tree: every file where the desktop entry, the AppStream
# entry and the program expect it, and the program, started from /, naming
# its own files. Sourced by test_install.sh and test_package.sh with
#   prefix   the install prefix
#   bindir   the program's folder in it: bin, or games in a Debian package
#            (the rater, a tool rather than a game, is in bin in both)
#   build    the build folder, whose app/Data holds the starter files
#   has_help 1 when the build made nghelp.chm
#   app_id   the application id
# and a fail function.

need() {
  command -v "$1" > /dev/null || fail "$1 is missing (sh tools/install-deps.sh installs $2)"
}

program="$prefix/$bindir/ninegrove"
share="$prefix/share/ninegrove"
[ -f "$program" ] && [ ! -L "$program" ] && [ -x "$program" ] || fail "no program at $program"
[ ! -e "$prefix/lib/ninegrove" ] || fail "a program folder is left in lib/ninegrove"

# Help: the help file and the same pages as HTML, every page reachable from
# the index.
if [ "$has_help" = 1 ]; then
  [ -s "$share/nghelp.chm" ] || fail "no help file in $share"
fi
[ -s "$share/help/index.html" ] || fail "no HTML help in $share/help"
for page in "$share"/help/*.html; do
  name=$(basename "$page")
  [ "$name" = index.html ] || grep -q "href=\"$name\"" "$share/help/index.html" ||
    fail "help/index.html does not link $name"
done

# The starter library the build made, and nothing else of Data beside the
# program (a developer's own libraries stay out of the install).
[ -d "$share/Data" ] || fail "no Data folder in $share"
starter="$build/app/Data/Starter Puzzles.ngl"
[ -f "$starter" ] || fail "the build made no starter library"
cmp -s "$starter" "$share/Data/Starter Puzzles.ngl" || fail "the starter library is not in $share/Data"
[ "$(ls "$share/Data" | wc -l)" -eq 1 ] || fail "$share/Data holds more than the starter library"

# The desktop entry, named by the id and pointing at the program and the icon.
desktop="$prefix/share/applications/$app_id.desktop"
[ -f "$desktop" ] || fail "no desktop entry $app_id.desktop"
need desktop-file-validate desktop-file-utils
desktop-file-validate "$desktop" || fail "the desktop entry does not validate"
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[ "$exec_name" = ninegrove ] || fail "Exec=$exec_name is not the program"
icon=$(sed -n 's/^Icon=//p' "$desktop")
[ "$icon" = "$app_id" ] || fail "the icon is named $icon, not $app_id"
for size in 16 22 24 32 48 64 128 256; do
  png="$prefix/share/icons/hicolor/${size}x${size}/apps/$icon.png"
  [ -s "$png" ] || fail "no ${size}x${size} icon"
done
[ -s "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no scalable icon"

# The AppStream entry: valid, named by the id, launching the desktop entry,
# with the screenshot the build took.
metainfo="$prefix/share/metainfo/$app_id.metainfo.xml"
[ -f "$metainfo" ] || fail "no AppStream entry $app_id.metainfo.xml"
need appstreamcli appstream
appstreamcli validate --no-net "$metainfo" || fail "the AppStream entry does not validate"
grep -q "<id>$app_id</id>" "$metainfo" || fail "the AppStream id is not $app_id"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
  fail "the AppStream entry does not launch $app_id.desktop"
shot=$(sed -n 's|.*<image[^>]*>.*/\([^/<]*\)</image>.*|\1|p' "$metainfo")
[ -n "$shot" ] || fail "the AppStream entry names no screenshot"
need file file
file -b "$share/screenshots/$shot" | grep -q "^PNG image data" ||
  fail "the screenshot $shot is not a PNG in $share/screenshots"

[ -s "$prefix/share/man/man6/ninegrove.6.gz" ] || fail "no man page"
gzip -t "$prefix/share/man/man6/ninegrove.6.gz" || fail "the man page is not gzip"
[ -s "$prefix/share/doc/ninegrove/copyright" ] || fail "no copyright file"

# Started from elsewhere, the program names its own files and a library
# folder in the documents, and makes nothing yet.
home=$(mktemp -d)
report=$(cd / && HOME="$home" XDG_CONFIG_HOME="$home/.config" "$program" --version) ||
  fail "--version failed"
echo "$report"
expect() { echo "$report" | grep -qxF "$1" || fail "--version does not say: $1"; }
expect "Ninegrove 1.0"
expect "Program folder: $prefix/$bindir"
if [ "$has_help" = 1 ]; then
  expect "Help file: $share/nghelp.chm"
fi
expect "HTML help: $share/help/index.html"
expect "Data starter files: $share/Data"
expect "Library folder: $home/Documents/Ninegrove (made when first needed)"
[ -z "$(ls -A "$home")" ] || fail "--version wrote into the home folder"
rm -rf "$home"
(cd / && "$program" --help) | grep -q -- "--version" || fail "--help does not list --version"

# The rater and its man page; started from elsewhere, it rates standard input.
rater="$prefix/bin/ninegrove-rate"
[ -f "$rater" ] && [ ! -L "$rater" ] && [ -x "$rater" ] || fail "no rater at $rater"
[ -s "$prefix/share/man/man1/ninegrove-rate.1.gz" ] || fail "no man page for ninegrove-rate"
gzip -t "$prefix/share/man/man1/ninegrove-rate.1.gz" || fail "the rater's man page is not gzip"
version=$(cd / && "$rater" --version) || fail "ninegrove-rate --version failed"
[ "$version" = "ninegrove-rate (Ninegrove) 1.0" ] || fail "ninegrove-rate --version says: $version"
puzzle=..3.2.6..9..3.5..1..18.64....81.29..7.......8..67.82....26.95..8..2.3..9..5.1.3..
rated=$(cd / && echo "$puzzle" | "$rater" --threads 1) || fail "ninegrove-rate failed"
echo "$rated" | grep -qx "$puzzle ED=[0-9]*\.[0-9]/[0-9]*\.[0-9]/[0-9]*\.[0-9]" ||
  fail "ninegrove-rate printed: $rated"
