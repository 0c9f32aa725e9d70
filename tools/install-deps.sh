#!/bin/sh
# Installs what the build, the program and the tests need on Debian 12, and
# any further packages named on the command line.
set -eu
packages="cmake g++ make pkg-config qt6-base-dev qt6-svg-dev libqt6sql6-sqlite libgl-dev fonts-liberation
  mdbtools-dev fp-utils desktop-file-utils appstream dpkg-dev file lintian qt6-base-private-dev
  xvfb dbus-daemon at-spi2-core python3-gi gir1.2-atspi-2.0
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n $*"
missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
