#!/usr/bin/env python3
"""The host's files include only what lies beneath them.

Each module (a header and its source) has a layer; a file may include its own module and
modules of lower layers, never one above. So the toolkit reads from the bottom up: plain
data and pictures, the controls' state, the window model, its widgets, the stage, the
host that runs it all.
"""
import pathlib
import re
import sys

LAYERS = [
    {"error", "layout", "desktop"},
    {"picture"},
    {"pointers", "qt_desktop"},
    {"control"},
    {"form"},
    {"focus"},
    {"widgets"},
    {"stage"},
    {"accessibility"},
    {"host"},
    {"testing"},
]
INCLUDE = re.compile(r'^\s*#\s*include\s+"host/([a-z_]+)\.h"', re.M)


def layer_of(module):
    for level, modules in enumerate(LAYERS):
        if module in modules:
            return level
    return None


def problems(folder):
    found = []
    files = sorted(folder.glob("*.h")) + sorted(folder.glob("*.cpp"))
    if not files:
        return ["no sources in %s" % folder]
    for path in files:
        module = path.stem
        own = layer_of(module)
        if own is None:
            found.append("%s: its module has no layer here" % path.name)
            continue
        for included in INCLUDE.findall(path.read_text()):
            level = layer_of(included)
            if level is None:
                found.append("%s includes host/%s.h, which has no layer" % (path.name, included))
            elif level > own or (level == own and included != module):
                found.append("%s includes host/%s.h, above or beside it" % (path.name, included))
    return found


def main():
    folder = pathlib.Path(sys.argv[1])
    found = problems(folder)
    for line in found:
        print(line)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
