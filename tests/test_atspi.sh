#!/bin/sh
# The grid and the time label as a screen reader reads them, through AT-SPI on a
# private session bus. Skipped (77) only where no bus can start.
# Usage: test_atspi.sh PROGRAM
if ! command -v dbus-run-session >/dev/null 2>&1 || ! dbus-run-session -- true >/dev/null 2>&1
then
  echo "SKIP: no session bus can start here (dbus-run-session)"
  exit 77
fi
for python in python3 /usr/bin/python3; do
  if "$python" -c 'import gi; gi.require_version("Atspi", "2.0")' >/dev/null 2>&1 &&
     command -v Xvfb >/dev/null; then
    exec dbus-run-session -- "$python" "$(dirname "$0")/atspi_reader.py" "$1"
  fi
done
echo "FAIL: needs Xvfb, at-spi2-core and python3 with gi and Atspi 2.0 (tools/install-deps.sh)"
exit 1
