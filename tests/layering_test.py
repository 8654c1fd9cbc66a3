#!/usr/bin/python3
# The layers as the tree shows them, checked on the sources:
# - a plain folder (one the build declares with teskora_plain_library, given
#   here) includes no Qt and nothing of a folder that is not plain;
# - the solver includes from itself and the runtime only, and writes no user
#   text (no Cyrillic);
# - the platform's Qt half names no window of the application and writes no
#   Russian sentence: the windows word what it reports;
# - no window includes another window;
# - no circle between folders: what one folder includes from another, the
#   other never includes from it, directly or through a third.
#
#     layering_test.py <source folder> <plain folder>...
import pathlib
import re
import sys

root = pathlib.Path(sys.argv[1])
plain = sys.argv[2:]
faults = [] if plain else ["no plain folder given"]
# The folders of the program: every folder of sources but the tests, tools,
# benchmarks and fuzzers, the platform's plain runtime as one of its own.
folders = sorted(f for f in {str(p.parent.relative_to(root)).split("/")[0] for p in root.glob("*/**/*.cpp")}
                 | {"platform/runtime"} if f not in ("tests", "tools", "bench", "fuzz") and not f.startswith("build"))


def sources(prefix):
    return sorted(p for p in (root / prefix).glob("**/*") if p.suffix in (".h", ".cpp", ".in"))


def includes(path):
    return re.findall(r'^#include [<"]([^>"]+)[>"]', path.read_text(), re.M)


def folder(path):
    return next((f for f in sorted(folders, key=len, reverse=True) if path == f or path.startswith(f + "/")), None)


for prefix in plain:
    for path in sources(prefix):
        for i in includes(path):
            if re.match(r"Q|qt", i) or (folder(i) and folder(i) not in plain):
                faults.append("%s includes %s, which is not plain C++" % (path.relative_to(root), i))
for path in sources("solver"):
    faults += ["%s includes %s" % (path.relative_to(root), i) for i in includes(path)
               if "/" in i and not i.startswith(("solver/", "platform/runtime/"))]
    if re.search("[А-Яа-яЁё]", path.read_text()):
        faults.append("%s writes Russian text" % path.relative_to(root))
for path in sources("platform"):
    text = path.read_text()
    if "_frm" in text:
        faults.append("%s names a window of the application" % path.relative_to(root))
    said = [line for line in text.splitlines() if re.search("[А-Яа-яЁё]", line) and not line.strip().startswith("//")]
    if said and folder(str(path.relative_to(root))) == "platform":
        faults.append("%s writes Russian: %s" % (path.relative_to(root), said[0].strip()))
for path in root.glob("*/*_frm.*"):
    own = path.stem + ".h"
    faults += ["%s includes the window %s" % (path.relative_to(root), i) for i in includes(path)
               if i.endswith("_frm.h") and not i.endswith("/" + own)]

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
print("\n".join(faults) or "the layers hold: plain %s; folders %s" % (", ".join(plain), ", ".join(folders)))
sys.exit(1 if faults else 0)
