#!/bin/sh
# Installs the build into a temporary prefix and checks the tree:
# test_install.sh BUILD_DIR HAS_HELP APP_ID
set -eu
build=$1
has_help=$2
app_id=$3
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cmake --install "$build" --prefix "$prefix" > "$prefix/install.log"
rm "$prefix/install.log"
bindir=bin
. "$(dirname "$0")/check_tree.sh"
echo "installed tree is complete"
