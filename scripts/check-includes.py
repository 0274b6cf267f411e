#!/usr/bin/env python3
"""check-includes.py -- GL, GLU, GLUT, GLX, SDL, X11, Windows and stb headers appear only in draw/, gl/
and the platform folders, a logic folder includes none of those folders, and the include graph between
the folders of src/ has no cycle.

A file's folder alone says which library it builds into, as CMakeLists.txt globs them:
  - logic (glintmere_logic): a module's root (app, view, controls, room, aquarium, sound) and app/commands;
  - drawing (glintmere_draw): a module's draw/, gl/, and the GL platform's gl/glx (X11) or gl/wgl (Windows);
  - platform: app/shell (glintmere_shell and main) with the window system's app/linux or app/windows,
    and the cue backend (glintmere_sound), sound/sdl under Linux or sound/winmm on Windows.
Each library includes only what it links: the drawing and the sound backend build on the logic, the
shell on everything. Sub-folders count as folders of their own in the graph, which is read from the includes.

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
    "drawing": {"logic"},
    "sound": {"logic"},
    "shell": {"logic", "drawing", "sound"},
}
WINDOW_SYSTEM_HEADER = re.compile(r"^(GL|SDL2?|X11|stb)/|^SDL[_.]|^glut|^glx|^(windows|mmsystem|wingdi)\.h$")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def library_of(folder):
    """The library a folder of src/ builds into, or None for a folder of no library."""
    if folder in MODULES or folder == "app/commands":
        return "logic"
    if folder in ("gl", "gl/glx", "gl/wgl") or (folder.endswith("/draw") and folder[: -len("/draw")] in MODULES):
        return "drawing"
    if folder in ("app/shell", "app/linux", "app/windows"):
        return "shell"
    if folder in ("sound/sdl", "sound/winmm"):
        return "sound"
    return None


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
                if library == "logic" and WINDOW_SYSTEM_HEADER.search(name):
                    faults.append(f"{where}: {folder} is logic, but includes <{name}>")
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
