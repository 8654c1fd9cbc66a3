#!/usr/bin/python3
# The layers as the tree shows them, checked on the sources:
# - the plain C++ parts (platform/runtime, solver, the course text, the file of
#   a system) include no Qt;
# - the solver includes from itself and the runtime only, and writes no user
#   text (no Cyrillic);
# - the platform names no window of the application;
# - no window includes another window;
# - no circle between folders: what one folder includes from another, the
#   other never includes from it, directly or through a third.
#
#     layering_test.py <source folder>
import pathlib
import re
import sys

root = pathlib.Path(sys.argv[1])
plain = ["platform/runtime", "solver", "results/course_text", "results/text_grid", "common/system_file_format"]
faults = []


def sources(prefix):
    return sorted(p for p in root.glob(prefix + "*/**/*") if p.suffix in (".h", ".cpp", ".in")) + \
        sorted(p for p in root.glob(prefix + ".*") if p.suffix in (".h", ".cpp"))


def includes(path):
    return re.findall(r'^#include [<"]([^>"]+)[>"]', path.read_text(), re.M)


for prefix in plain:
    for path in sources(prefix):
        faults += ["%s includes Qt: %s" % (path.relative_to(root), i) for i in includes(path) if re.match(r"Q|qt", i)]
for path in sources("solver"):
    faults += ["%s includes %s" % (path.relative_to(root), i) for i in includes(path)
               if "/" in i and not i.startswith(("solver/", "platform/runtime/"))]
    if re.search("[А-Яа-яЁё]", path.read_text()):
        faults.append("%s writes Russian text" % path.relative_to(root))
for path in sources("platform"):
    if "_frm" in path.read_text():
        faults.append("%s names a window of the application" % path.relative_to(root))
for path in root.glob("*/*_frm.*"):
    own = path.stem + ".h"
    faults += ["%s includes the window %s" % (path.relative_to(root), i) for i in includes(path)
               if i.endswith("_frm.h") and not i.endswith("/" + own)]

# The folders that make up the program, the plain runtime as one of its own.
folders = ["app", "common", "platform/runtime", "platform", "results", "shell", "solver", "wizard"]


def folder(path):
    return next((f for f in folders if path == f or path.startswith(f + "/")), None)


arrows = {f: set() for f in folders}
for f in folders:
    for path in sources(f):
        here = folder(str(path.relative_to(root)))
        for i in includes(path):
            there = folder(i)
            if there and there != here:
                arrows[here].add(there)


def circle(start):
    """A way from start back to itself along the arrows, or None."""
    stack = [(start, [start])]
    seen = set()
    while stack:
        at, way = stack.pop()
        for nxt in sorted(arrows[at]):
            if nxt == start:
                return way + [start]
            if nxt not in seen:
                seen.add(nxt)
                stack.append((nxt, way + [nxt]))
    return None


circles = {tuple(c) for c in map(circle, folders) if c}
faults += ["folders include each other: %s" % " -> ".join(c) for c in sorted(circles)]
print("\n".join(faults) or "the layers hold")
sys.exit(1 if faults else 0)
