#!/bin/sh
# Installs what bench/bench_engine compares against on Debian 12, with the
# build's own packages: the qqwing solver, which it times on the same puzzle
# files when it is on the PATH.
set -eu
exec sh "$(dirname "$0")/install-deps.sh" qqwing
