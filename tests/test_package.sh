#!/bin/sh
# Makes the Debian package and checks it from its contents:
# test_package.sh BUILD_DIR HAS_HELP APP_ID. Exits 77 (skipped) without dpkg-deb.
set -eu
build=$1
has_help=$2
app_id=$3
if ! command -v dpkg-deb > /dev/null; then
  echo "SKIP: dpkg-deb is missing, so no Debian package can be checked here"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" > "$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack could not make the package"; }
deb="$work/out/ninegrove_1.0_amd64.deb"
[ -f "$deb" ] || fail "no $(basename "$deb"): $(ls "$work/out")"

# Dependencies come from the linked libraries, not from a hand list.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for library in libqt6widgets6 libqt6sql6 libqt6svg6 libc6; do
  echo "$depends" | grep -q "$library" || fail "the package does not depend on $library"
done

dpkg-deb -x "$deb" "$work/root"
prefix="$work/root/usr"
# Debian keeps the programs of games in /usr/games; only the rater, a tool
# for puzzle makers, is in /usr/bin.
bindir=games
[ "$(ls "$prefix/bin")" = ninegrove-rate ] || fail "/usr/bin holds: $(ls "$prefix/bin")"
. "$(dirname "$0")/check_tree.sh"
# Nothing outside /usr: the package writes nowhere else.
[ "$(ls "$work/root")" = usr ] || fail "the package installs outside /usr: $(ls "$work/root")"

command -v lintian > /dev/null || fail "lintian is missing (sh tools/install-deps.sh installs it)"
lintian --fail-on error "$deb" || fail "lintian reports errors"
echo "the package is complete"
