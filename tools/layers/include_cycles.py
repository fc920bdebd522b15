#!/usr/bin/env python3
"""Fails when the files of one folder include each other in a circle.

    include_cycles.py FOLDER...

A source and its header count as one unit (Bitmap.cpp with Bitmap.h), as
they are one responsibility. Only includes in double quotes that name a file
of the same folder are followed. Prints each circle found and exits 1, or
prints how many units stand in layers and exits 0.
"""
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def units_of(folder):
    """Maps each unit of the folder to the units it includes."""
    files = [f for f in os.listdir(folder) if f.endswith((".h", ".cpp", ".inl"))]
    unit = lambda name: os.path.splitext(os.path.basename(name))[0]
    known = {unit(f) for f in files}
    edges = {u: set() for u in known}
    for f in files:
        with open(os.path.join(folder, f), encoding="utf-8") as text:
            for target in INCLUDE.findall(text.read()):
                if os.path.dirname(target) not in ("", folder.rstrip("/")):
                    continue
                if unit(target) in known and unit(target) != unit(f):
                    edges[unit(f)].add(unit(target))
    return edges


def circles(edges):
    """The circles among the units, each once, found by a depth-first walk."""
    found, state, path = [], {}, []

    def walk(u):
        state[u] = "open"
        path.append(u)
        for v in sorted(edges[u]):
            if state.get(v) == "open":
                found.append(path[path.index(v):] + [v])
            elif v not in state:
                walk(v)
        path.pop()
        state[u] = "done"

    for u in sorted(edges):
        if u not in state:
            walk(u)
    return found


def main(folders):
    failed = False
    for folder in folders:
        edges = units_of(folder)
        found = circles(edges)
        for circle in found:
            print(f"{folder}: circle of includes: {' -> '.join(circle)}")
        if found:
            failed = True
        else:
            print(f"{folder}: {len(edges)} units stand in layers")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
