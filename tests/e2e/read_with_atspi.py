#!/usr/bin/python3
"""Reads a running Tallymere through AT-SPI, as a screen reader does, and prints what it hears.

Usage: read_with_atspi.py WINDOW-TITLE [WINDOW-TITLE ...]
       read_with_atspi.py --extents WINDOW-TITLE CONTROL-NAME
       read_with_atspi.py --listen SECONDS [UNTIL-NAME-START]

For each window (matched by its exact title) it prints one line per control that a reader
announces, in the reader's order: role, name, and the value or text the control offers. A line
"value: ..." is the value interface (minimum, current, maximum), "text: ..." the text interface.
With --extents it prints the screen box "x y width height" of the control with that name.
With --listen it prints, for SECONDS, every change of name the program announces, one a line
("name-change | <new name>"), as a reader is told of them; given the start of a name, it stops
once a name that starts so has been announced.
Exits 2 when the program or a window cannot be found within 20 seconds.
"""
import sys
import time

import pyatspi

# Containers a reader passes over in silence unless they have a name (a titled frame).
SILENT_ROLES = {"filler", "panel", "unknown", "redundant object"}


def find_window(title):
    deadline = time.monotonic() + 20
    while time.monotonic() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is None or app.name.lower() != "tallymere":
                continue
            for window in app:
                if window is not None and window.name == title:
                    return window
        time.sleep(0.3)
    return None


def value_of(node):
    try:
        value = node.queryValue()
    except NotImplementedError:
        return None
    return "value: %g (%g to %g)" % (value.currentValue, value.minimumValue, value.maximumValue)


def text_of(node):
    try:
        text = node.queryText()
    except NotImplementedError:
        return None
    return "text: %r" % text.getText(0, -1)


def read(node, depth, out):
    role = node.getRoleName()
    states = node.getState()
    if not states.contains(pyatspi.STATE_SHOWING):
        return
    if node.name or role not in SILENT_ROLES:
        parts = [role, repr(node.name)]
        if node.description:
            parts.append("description: %r" % node.description)
        for extra in (value_of(node), text_of(node)):
            if extra:
                parts.append(extra)
        out.append("  " * depth + " | ".join(parts))
    for child in node:
        if child is not None:
            read(child, depth + 1, out)


def find_control(node, name):
    if node.name == name:
        return node
    for child in node:
        found = find_control(child, name) if child is not None else None
        if found is not None:
            return found
    return None


def print_extents(title, name):
    window = find_window(title)
    control = find_control(window, name) if window is not None else None
    if control is None:
        print("no control %r in %r" % (name, title))
        return 2
    box = control.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    print(box.x, box.y, box.width, box.height)
    return 0


def listen(seconds, until=None):
    from gi.repository import GLib

    def announced(event):
        if event.source is not None and event.source.getApplication().name.lower() == "tallymere":
            print("name-change | %s" % event.source.name, flush=True)
            if until is not None and event.source.name.startswith(until):
                pyatspi.Registry.stop()

    pyatspi.Registry.registerEventListener(announced, "object:property-change:accessible-name")
    print("listening", flush=True)
    GLib.timeout_add(int(seconds * 1000), lambda: pyatspi.Registry.stop())
    pyatspi.Registry.start()
    return 0


def main():
    if sys.argv[1:2] == ["--listen"]:
        return listen(float(sys.argv[2]), sys.argv[3] if len(sys.argv) > 3 else None)
    if sys.argv[1:2] == ["--extents"]:
        return print_extents(sys.argv[2], sys.argv[3])
    status = 0
    for title in sys.argv[1:]:
        window = find_window(title)
        if window is None:
            print("no window %r" % title)
            status = 2
            continue
        lines = []
        read(window, 0, lines)
        print("\n".join(lines))
    sys.stdout.flush()
    return status


if __name__ == "__main__":
    sys.exit(main())
