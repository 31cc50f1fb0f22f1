#!/usr/bin/env python3
"""Counts the files that lie in include circles spanning source folders.

Each module (foo.h with foo.cpp, and any foo_win32.cpp or other .cpp that
includes only through them counts as its own file) is a node; a file that
includes "folder/name.h" points at that header's module (the header and the
.cpp of the same name). A circle is a strongly connected set of modules; the
script prints each set whose files lie in more than one folder, and the
number of files in them. The layer order (check-layers.sh) allows none.
"""
import os
import re
import sys
from collections import defaultdict

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
FOLDERS = ["base", "plist", "imaging", "devices", "banks", "midi", "views", "shell"]
INCLUDE = re.compile(r'^#include "([A-Za-z0-9_]+/[A-Za-z0-9_]+)\.h"', re.M)


def module(path):
    """folder/stem of a source file: a header and its .cpp are one module."""
    folder, name = path.split("/")
    return folder + "/" + os.path.splitext(name)[0]


def main():
    files = defaultdict(list)
    edges = defaultdict(set)
    for folder in FOLDERS:
        base = os.path.join(ROOT, folder)
        if not os.path.isdir(base):
            continue
        for name in sorted(os.listdir(base)):
            if not name.endswith((".h", ".cpp")):
                continue
            path = folder + "/" + name
            node = module(path)
            files[node].append(path)
            with open(os.path.join(base, name), encoding="utf-8", errors="replace") as f:
                for target in INCLUDE.findall(f.read()):
                    if target.split("/")[0] in FOLDERS and target != node:
                        edges[node].add(target)

    # Tarjan's strongly connected components, iteratively.
    index, low, on_stack, stack, circles = {}, {}, set(), [], []
    counter = [0]
    for start in list(files):
        if start in index:
            continue
        work = [(start, iter(sorted(edges[start])))]
        index[start] = low[start] = counter[0]; counter[0] += 1
        stack.append(start); on_stack.add(start)
        while work:
            node, it = work[-1]
            advanced = False
            for nxt in it:
                if nxt not in files:
                    continue
                if nxt not in index:
                    index[nxt] = low[nxt] = counter[0]; counter[0] += 1
                    stack.append(nxt); on_stack.add(nxt)
                    work.append((nxt, iter(sorted(edges[nxt]))))
                    advanced = True
                    break
                if nxt in on_stack:
                    low[node] = min(low[node], index[nxt])
            if advanced:
                continue
            work.pop()
            if work:
                low[work[-1][0]] = min(low[work[-1][0]], low[node])
            if low[node] == index[node]:
                component = []
                while True:
                    top = stack.pop(); on_stack.discard(top); component.append(top)
                    if top == node:
                        break
                if len(component) > 1:
                    circles.append(sorted(component))

    spanning = [c for c in circles if len({m.split("/")[0] for m in c}) > 1]
    count = sum(len(files[m]) for c in spanning for m in c)
    for c in spanning:
        print("include circle across folders: " + " ".join(c))
    print(f"include-circles: {count} files in include circles that span folders")
    return 1 if count else 0


if __name__ == "__main__":
    sys.exit(main())
