#!/usr/bin/env python3
"""check-includes.py -- the includes of src/ keep to the floors of the tree and to the libraries the
folders build into.

A file's folder alone says which library it builds into, as CMakeLists.txt globs them:
  - logic (glintmere_logic): core/ (the ground), a module's root (app, view, controls, room, aquarium,
    sound) and app/commands;
  - contract: platform/ itself, the headers that declare what every platform provides;
  - platform (glintmere_platform): platform/<name>, any one platform's folder, and its sub-folders;
  - drawing (glintmere_draw): a module's draw/ and gl/;
  - shell (glintmere_shell and main): app/shell;
  - layer (glintmere_es): gl/es, the GL 1.x the drawing calls, on OpenGL ES 2.0; it knows nothing of the
    program, so it includes no other folder of src/.
Each library includes only what it links: the platform and the drawing build on the logic, the shell
on everything, and the contract is included by what calls a platform (gl/ and the shell) and by the
platforms that define it; a platform that draws through the layer (the browser's) includes it. No platform's folder is named here; any folder under platform/ is one.

The headers of the systems beneath: an operating-system or window-system header (X11, GLX, WGL,
windows.h, mmsystem.h, POSIX process and pipe headers) and a sound library's only in a platform's
folder; GL, GLU and GLUT also in the drawing and the shell; stb also in the shell.

The top folders stand on each other in floors, from the ground up: core, then gl, sound, view,
aquarium, room, controls, app, with the platforms' folders beside the roof (the contract, declarations
only, sits on the ground). A folder includes none above its own floor, except where the design
requires it (UPWARD); and the include graph between the folders has no cycle.

The tests and tools are held to the same rule: a logic test (`*_test.cpp`, linked with the logic library
alone) includes, however indirectly, no drawing or platform header, and no window-system header; a tool
(which writes its files with stb) includes no drawing or platform header of src/.

Usage: scripts/check-includes.py [--graph] [SOURCE_ROOT]
  SOURCE_ROOT: the project folder (default: this script's parent's parent).
  --graph: print the folder graph read from the includes, one edge a line.
"""
import re
import sys
from pathlib import Path

MODULES = ("app", "view", "controls", "room", "aquarium", "sound")
# Libraries by what they link (CMakeLists.txt): each may include itself and these.
LINKS = {
    "logic": set(),
    "contract": set(),
    # A platform that draws through the GL ES 2 layer (the browser's) starts it and fills its table of calls.
    "platform": {"logic", "contract", "layer"},
    "drawing": {"logic", "contract"},
    "shell": {"logic", "contract", "drawing"},
    "layer": set(),
}
# The floors of the top folders, from the ground up; a platform's folder stands beside the roof.
FLOORS = ["core", "platform", "gl", "sound", "view", "aquarium", "room", "controls", "app"]
ROOF = len(FLOORS)
# Includes up a floor that the program's design requires: the keys quit and reset the scene, and the
# exit and the reset are the roof's (app/commands), since they reach every module.
UPWARD = {("controls", "app/commands")}

OS_HEADER = re.compile(
    r"^(X11|xcb|SDL2?)/|^SDL[_.]|^GL/(glx|wgl)|^(windows|mmsystem|wingdi|winuser)\.h$"
    r"|^(unistd|spawn|fcntl|poll|dlfcn|pthread)\.h$|^sys/"
)
GL_HEADER = re.compile(r"^GL/|^glut|^GLES2?/|^EGL/")
STB_HEADER = re.compile(r"^stb/")
# What each library may include of the headers beneath the program.
SYSTEM_HEADERS = {
    "logic": (),
    "contract": (),
    "drawing": (GL_HEADER,),
    "shell": (GL_HEADER, STB_HEADER),
    "platform": (OS_HEADER, GL_HEADER, STB_HEADER),
    "layer": (GL_HEADER,),
}
# What a logic test may not reach: the headers of windows, GL, sound and stb (a test's own helpers may
# use the C library's POSIX calls).
WINDOW_SYSTEM_HEADER = re.compile(r"^(GL|GLES2?|EGL|SDL2?|X11|stb)/|^SDL[_.]|^glut|^glx|^(windows|mmsystem|wingdi)\.h$")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def library_of(folder):
    """The library a folder of src/ builds into, or None for a folder of no library."""
    if folder == "gl/es":
        return "layer"
    if folder == "core" or folder in MODULES or folder == "app/commands":
        return "logic"
    if folder == "platform":
        return "contract"
    # A platform's own sub-folders (the browser's header shims, say) are the platform's too.
    if folder.startswith("platform/"):
        return "platform"
    if folder == "gl" or (folder.endswith("/draw") and folder[: -len("/draw")] in MODULES):
        return "drawing"
    if folder == "app/shell":
        return "shell"
    return None


def floor_of(folder):
    """The floor a folder of src/ stands on: its top folder's, or the roof's for a platform."""
    if library_of(folder) == "platform":
        return ROOF
    top = folder.split("/")[0]
    return FLOORS.index(top) if top in FLOORS else ROOF


def includes(file):
    for number, line in enumerate(file.read_text(encoding="utf-8").splitlines(), 1):
        m = INCLUDE.match(line)
        if m:
            yield number, m.group(1), m.group(2)


def resolve(name, file, roots):
    """The file a quoted include names: beside the includer, then in each include root."""
    for folder in (file.parent, *roots):
        candidate = folder / name
        if candidate.is_file():
            return candidate.resolve()
    return None


def find_cycle(graph):
    """A cycle of the graph as a list of its folders (the first repeated at the end), or None."""
    state = {}
    stack = []

    def visit(node):
        state[node] = "open"
        stack.append(node)
        for nxt in sorted(graph.get(node, ())):
            if state.get(nxt) == "open":
                return stack[stack.index(nxt) :] + [nxt]
            if nxt not in state:
                found = visit(nxt)
                if found:
                    return found
        stack.pop()
        state[node] = "done"
        return None

    for node in sorted(graph):
        if node not in state:
            found = visit(node)
            if found:
                return found
    return None


def check_src(src, faults):
    graph = {}
    for file in sorted(src.rglob("*")):
        if file.suffix not in (".h", ".cpp"):
            continue
        path = file.relative_to(src).as_posix()
        folder = file.parent.relative_to(src).as_posix()
        library = library_of(folder)
        if library is None:
            faults.append(f"src/{path}: in a folder of no library")
            continue
        graph.setdefault(folder, set())
        for number, kind, name in includes(file):
            where = f"src/{path}:{number}"
            if kind == "<":
                beneath = (OS_HEADER, GL_HEADER, STB_HEADER)
                if any(p.search(name) for p in beneath) and not any(p.search(name) for p in SYSTEM_HEADERS[library]):
                    faults.append(f"{where}: {folder} ({library}) may not include <{name}>")
                continue
            target = resolve(name, file, [src])
            if target is None or src.resolve() not in target.parents:
                continue  # not one of ours
            target_folder = target.parent.relative_to(src.resolve()).as_posix()
            if target_folder == folder:
                continue
            graph[folder].add(target_folder)
            target_library = library_of(target_folder)
            if target_library is not None and target_library != library and target_library not in LINKS[library]:
                faults.append(
                    f'{where}: {folder} ({library}) may not include {target_folder} ({target_library}): "{name}"'
                )
            elif floor_of(target_folder) > floor_of(folder) and (folder, target_folder) not in UPWARD:
                faults.append(f'{where}: {folder} may not include {target_folder}, a floor above it: "{name}"')
    cycle = find_cycle(graph)
    if cycle:
        faults.append("src: the folders include each other in a cycle: " + " -> ".join(cycle))
    return graph


def check_logic_only(file, label, what, roots, src, faults, window_system_allowed=False):
    """Fails on a drawing or platform header of src/ that `file` reaches through its includes, and,
    unless `window_system_allowed`, on a window-system header."""
    seen = set()
    todo = [(file, [])]
    while todo:
        current, chain = todo.pop()
        if current in seen:
            continue
        seen.add(current)
        for number, kind, name in includes(current):
            via = " via ".join([name, *chain]) if chain else name
            if kind == "<":
                if not window_system_allowed and WINDOW_SYSTEM_HEADER.search(name):
                    faults.append(f"{label}: {what}, reaches <{via}>")
                continue
            target = resolve(name, current, roots)
            if target is None:
                continue
            if src in target.parents:
                library = library_of(target.parent.relative_to(src).as_posix())
                if library not in (None, "logic"):
                    faults.append(f'{label}: {what}, reaches "{via}" ({library})')
                    continue
            todo.append((target, [name, *chain]))


def main():
    args = [a for a in sys.argv[1:] if a != "--graph"]
    root = Path(args[0]) if args else Path(__file__).resolve().parent.parent
    root = root.resolve()
    src = root / "src"
    faults = []
    graph = check_src(src, faults)
    roots = [src, root / "tests"]
    for file in sorted((root / "tests").rglob("*_test.cpp")):
        what = "a logic test, linked with the logic library alone"
        check_logic_only(file, file.relative_to(root).as_posix(), what, roots, src, faults)
    # The generators write files with stb of their own; of src/ they may use only the logic.
    for file in sorted((root / "tools").rglob("*.cpp")):
        what = "a tool, which builds on no library of src/ but the logic"
        check_logic_only(file, file.relative_to(root).as_posix(), what, roots, src, faults, True)
    if "--graph" in sys.argv[1:]:
        for folder in sorted(graph):
            for target in sorted(graph[folder]):
                print(f"{folder} -> {target}")
    for fault in faults:
        print(fault, file=sys.stderr)
    if faults:
        print(f"check-includes: {len(faults)} include(s) against the folders' rule", file=sys.stderr)
        return 1
    print("check-includes: the includes follow the folders' libraries, and the folders include no cycle")
    return 0


if __name__ == "__main__":
    sys.exit(main())
