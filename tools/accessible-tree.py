#!/usr/bin/python3
"""Prints what assistive technology sees of a running editor over AT-SPI:
every object's role and name, the board's table cells shortened to the
first row and the focused cell. Run it on the session bus of the editor,
started with QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 (see the README)."""
import sys

import pyatspi


def show(node, depth):
    role = node.getRoleName()
    print("  " * depth + f"[{role}] {node.name!r}")
    if role == "table":
        table = node.queryTable()
        print("  " * depth + f"  {table.nRows} x {table.nColumns} cells, {node.childCount} children")
        for column in range(min(table.nColumns, 3)):
            print("  " * depth + f"  {table.getAccessibleAt(0, column).name!r}")
        for cell in node:
            if cell.getState().contains(pyatspi.STATE_FOCUSED):
                print("  " * depth + f"  focused: {cell.name!r}")
        return
    for child in node:
        if child is not None:
            show(child, depth + 1)


def main():
    desktop = pyatspi.Registry.getDesktop(0)
    editors = [app for app in desktop if app is not None and "kestrix" in (app.name or "").lower()
               or app is not None and "zorvan" in (app.name or "").lower()]
    if not editors:
        print("no editor on this bus", file=sys.stderr)
        return 1
    for app in editors:
        show(app, 0)
    return 0


if __name__ == "__main__":
    sys.exit(main())
