#!/usr/bin/env python3
"""check-includes.py -- reads the #include lines under src/ and fails on one that runs against the
module graph drawn in the README's design section: an include between modules the graph does not
allow (which is also how a cycle would start), or a window-system header in a module that must
build without one.

Usage: scripts/check-includes.py [SOURCE_ROOT]   (the project folder; default: this script's parent)
"""
import re
import sys
from pathlib import Path

# Which module a file belongs to: the first pattern that matches its path below src/.
MODULES = [
    (r"app/commands/", "app/commands"),
    (r"app/(draw|shell)/", "app/shell"),
    (r"app/", "app/core"),
    (r"sound/sdl/", "sound/sdl"),
    (r"sound/", "sound"),
    (r"gl/", "gl"),
    (r"view/", "view"),
    (r"controls/", "controls"),
    (r"room/", "room"),
    (r"aquarium/", "aquarium"),
]

# Module -> the modules it may include. The graph has no cycle, so neither can the includes.
ALLOWED = {
    "app/core": set(),
    "sound": set(),
    "gl": set(),
    "sound/sdl": {"sound"},
    "aquarium": {"app/core", "sound", "gl"},
    "view": {"app/core"},
    "room": {"app/core", "aquarium", "gl"},
    "app/commands": {"app/core", "sound", "aquarium", "view"},
    "controls": {"app/core", "app/commands", "aquarium", "view"},
    "app/shell": {"app/core", "app/commands", "sound", "sound/sdl", "gl", "aquarium", "view", "controls", "room"},
}

# Modules that build into the logic library, whose headers and sources name no window system.
NO_PLATFORM_HEADERS = {"app/core", "app/commands", "controls", "sound"}
PLATFORM_HEADER = re.compile(r"^(GL|SDL|X11|stb)/|^SDL[_.]")

# Includes that run against the graph and are allowed all the same; none now. An entry that no
# longer occurs is an error too, so the list only ever shrinks.
KNOWN_EXCEPTIONS: set = set()

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def module_of(path):
    for pattern, module in MODULES:
        if re.match(pattern, path):
            return module
    return None


def main():
    root = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent
    src = root / "src"
    faults = []
    seen_exceptions = set()
    for file in sorted(src.rglob("*")):
        if file.suffix not in (".h", ".cpp"):
            continue
        path = file.relative_to(src).as_posix()
        source = module_of(path)
        if source is None:
            faults.append(f"src/{path}: in no module of the graph")
            continue
        for number, line in enumerate(file.read_text(encoding="utf-8").splitlines(), 1):
            m = INCLUDE.match(line)
            if not m:
                continue
            kind, name = m.groups()
            where = f"src/{path}:{number}"
            if kind == "<":
                if source in NO_PLATFORM_HEADERS and PLATFORM_HEADER.search(name):
                    faults.append(f"{where}: {source} builds without a window system, but includes <{name}>")
                continue
            if not (src / name).exists():
                continue  # not one of ours
            target = module_of(name)
            if target == source:
                continue
            if (path, name) in KNOWN_EXCEPTIONS:
                seen_exceptions.add((path, name))
                continue
            if target not in ALLOWED[source]:
                faults.append(f'{where}: {source} may not include {target} ("{name}")')
    for path, name in sorted(KNOWN_EXCEPTIONS - seen_exceptions):
        faults.append(f'src/{path}: no longer includes "{name}"; remove it from KNOWN_EXCEPTIONS')
    for fault in faults:
        print(fault, file=sys.stderr)
    if faults:
        print(f"check-includes: {len(faults)} include(s) against the module graph", file=sys.stderr)
        return 1
    print("check-includes: the includes follow the module graph")
    return 0


if __name__ == "__main__":
    sys.exit(main())
