#!/usr/bin/env python3
"""Each folder stands on the floors below it: its files include from its own
folder and from lower floors only, never from a higher floor nor from
another folder of the same floor. A folder's testing/ belongs to it.
Prints every include that breaks this and fails when there is one."""

import pathlib
import re
import sys

FLOORS = [
    ["platform"],
    ["config"],
    ["theme"],
    ["document"],
    ["export"],
    ["help"],
    # The three programs: none depends on another's folder.
    ["app", "themeeditor", "tools/lvk"],
    ["bench", "distcheck", "fuzz"],
]
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def folder_of(path):
    """The folder of FLOORS that holds `path` (relative), or None."""
    for floor in FLOORS:
        for folder in floor:
            if path == folder or path.startswith(folder + "/"):
                return folder
    return None


def floor_of(folder):
    return next(level for level, floor in enumerate(FLOORS) if folder in floor)


def main(root):
    root = pathlib.Path(root)
    faults = []
    for source in sorted(root.glob("**/*")):
        if source.suffix not in (".h", ".cpp", ".rc") or "build" in source.relative_to(root).parts:
            continue
        own = folder_of(source.relative_to(root).as_posix())
        if own is None:
            continue
        for included in INCLUDE.findall(source.read_text(encoding="latin-1")):
            other = folder_of(included)
            if other is None or other == own:
                continue
            if floor_of(other) >= floor_of(own):
                faults.append(f"{source.relative_to(root)}: {included}")
    for fault in faults:
        print("includes from its own floor or above:", fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
