#!/usr/bin/env python3
"""check_layer_names.py -- every GL, GLU and GLUT-shape function the program calls is defined by the ES
layer (src/gl/es), so that a call the layer lacks cannot go unnoticed until a platform links it.

A name counts as a call when it is a function the system's GL, GLU or GLUT headers declare and it appears
in a source of src/ outside the layer and the platform folders: as an identifier, or as a string that
names a call looked up at run time ("glGenBuffers"). GLUT's window calls (glutSwapBuffers, glutGet, ...)
are the platform's; of GLUT the layer owns the shapes and the lookup of calls by name.

Usage: check_layer_names.py LAYER_ARCHIVE SOURCE_ROOT GL_INCLUDE_DIR
"""
import re
import subprocess
import sys
from pathlib import Path

# The layer itself, and the platforms: their calls are their own (the window system, the GL context).
PLATFORM_FOLDERS = ("gl/es", "platform")
HEADERS = ("gl.h", "glext.h", "glu.h", "freeglut_std.h", "freeglut_ext.h")
DECLARED = re.compile(r"\b((?:gl|glu|glut)[A-Z]\w*)\s*\(")
USED = re.compile(r"\b((?:gl|glu|glut)[A-Z]\w*)\b")
LAYER_GLUT = re.compile(r"^glut(Solid|Wire)\w+$|^glutGetProcAddress$")


def declared_calls(include_dir):
    names = set()
    for header in HEADERS:
        path = Path(include_dir) / header
        if path.is_file():
            names.update(DECLARED.findall(path.read_text(encoding="utf-8", errors="replace")))
    return names


def calls_in(src, api):
    """Each API name used under src/, outside the layer and the platforms, with a file that uses it."""
    used = {}
    for file in sorted(src.rglob("*")):
        if file.suffix not in (".h", ".cpp"):
            continue
        folder = file.parent.relative_to(src).as_posix()
        if any(folder == f or folder.startswith(f + "/") for f in PLATFORM_FOLDERS):
            continue
        for name in USED.findall(file.read_text(encoding="utf-8")):
            if name in api and (not name.startswith("glut") or LAYER_GLUT.match(name)):
                used.setdefault(name, file.relative_to(src.parent).as_posix())
    return used


def defined_by(archive):
    out = subprocess.run(["nm", "--defined-only", archive], capture_output=True, text=True, check=True).stdout
    return {parts[2] for parts in (line.split() for line in out.splitlines()) if len(parts) == 3 and parts[1] == "T"}


def main():
    if len(sys.argv) != 4:
        print(__doc__, file=sys.stderr)
        return 2
    archive, root, include_dir = sys.argv[1], Path(sys.argv[2]), sys.argv[3]
    api = declared_calls(include_dir)
    if not api:
        print(f"check_layer_names: no GL headers in {include_dir}", file=sys.stderr)
        return 2
    used = calls_in(root / "src", api)
    defined = defined_by(archive)
    missing = sorted(name for name in used if name not in defined)
    for name in missing:
        print(f"{used[name]}: calls {name}, which the ES layer does not define", file=sys.stderr)
    if missing:
        print(f"check_layer_names: {len(missing)} of {len(used)} calls missing from the layer", file=sys.stderr)
        return 1
    print(f"check_layer_names: the layer defines all {len(used)} GL, GLU and GLUT-shape calls of the program")
    return 0


if __name__ == "__main__":
    sys.exit(main())
