"""Reads the program through AT-SPI as a screen reader would; run under dbus-run-session.

Starts a virtual display and the program on it with Qt's bridge on, reads a grid cell and the
time label, presses the 5 button and waits for the cell to announce its new name, then asks
for a hint and reads its words.
Exit codes: 0 passed, 1 failed, 77 no accessibility bus can start here.
"""
import os
import subprocess
import sys
import tempfile
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Gio, GLib  # noqa: E402


def wait_for(what, probe, seconds=20):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        GLib.MainContext.default().iteration(False)
        found = probe()
        if found:
            return found
        time.sleep(0.1)
    sys.exit(f"FAIL: no {what} after {seconds} seconds")


def find(Atspi, pid, role, name):
    def walk(node):
        yield node
        for index in range(node.get_child_count()):
            child = node.get_child_at_index(index)
            if child is not None:
                yield from walk(child)

    def probe():
        desktop = Atspi.get_desktop(0)
        for application in map(desktop.get_child_at_index, range(desktop.get_child_count())):
            if application is not None and application.get_process_id() == pid:
                for node in walk(application):
                    if node.get_role() == role and node.get_name() == name:
                        return node
        return None

    return wait_for(name, probe)


def read_program(Atspi, pid):
    heard = []
    listener = Atspi.EventListener.new(lambda event: heard.append(event.source.get_name()))
    listener.register("object:property-change:accessible-name")
    grid = find(Atspi, pid, Atspi.Role.TABLE, "Sudoku grid")
    cell = grid.get_accessible_at(0, 0)
    seen = [
        (grid.get_n_rows(), grid.get_n_columns()),
        cell.get_name(),
        cell.get_state_set().contains(Atspi.StateType.SELECTED),
        grid.get_accessible_at(8, 3).get_name(),
        find(Atspi, pid, Atspi.Role.LABEL, "Time  00:00:00").get_name(),
    ]
    find(Atspi, pid, Atspi.Role.PUSH_BUTTON, "5").do_action(0)
    wait_for("name-change event of the cell", lambda: "row 1, column 1, 5" in heard)
    seen.append(cell.get_name())
    # The hint's words, where a reader finds them: no givens, so no single solution.
    find(Atspi, pid, Atspi.Role.MENU_ITEM, "Hint").do_action(0)
    seen.append(find(Atspi, pid, Atspi.Role.LABEL,
                     "The puzzle has more than one solution.").get_description())
    return seen, [(9, 9), "row 1, column 1, empty", True, "row 9, column 4, empty",
                  "Time  00:00:00", "row 1, column 1, 5", "Hint"]


def main():
    try:
        Gio.bus_get_sync(Gio.BusType.SESSION, None).call_sync(
            "org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", None,
            GLib.VariantType("(s)"), Gio.DBusCallFlags.NONE, 10000, None)
    except GLib.Error as error:
        print(f"SKIP: the accessibility bus cannot start: {error.message}")
        return 77
    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-nolisten", "tcp"],
                            pass_fds=(write_end,), stderr=subprocess.DEVNULL)
    os.close(write_end)
    try:
        with os.fdopen(read_end) as pipe:
            os.environ["DISPLAY"] = ":" + pipe.readline().strip()
        from gi.repository import Atspi

        with tempfile.TemporaryFile() as log:
            app = subprocess.Popen(
                [sys.argv[1]], stdout=log, stderr=subprocess.STDOUT,
                env=dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1"))
            try:
                seen, expected = read_program(Atspi, app.pid)
                alive = app.poll() is None
            finally:
                app.terminate()
                app.wait(10)
                log.seek(0)
                print(log.read().decode(errors="replace"))
    finally:
        xvfb.terminate()
        xvfb.wait()
    print("read:    ", seen)
    print("expected:", expected)
    if not alive:
        print("FAIL: the program ended by itself")
    return 0 if seen == expected and alive else 1


if __name__ == "__main__":
    sys.exit(main())
