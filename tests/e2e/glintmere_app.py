# glintmere_app.py -- runs the built glintmere in a scratch folder on a private X server and drives it.
"""The program under test, as a user meets it.

GLINTMERE_BIN names the binary and GLINTMERE_BUILD_DIR the build folder holding the generated
texture/ and musics/; both come from ctest. Every run gets a scratch working directory with links
to those folders (or copies, when a test wants to spoil one), standard output and error are read
line by line as they appear, and keys, drags and clicks reach the window through the X server.

The Windows build runs under Wine when ctest names a Wine prefix and scripts/with-wine.sh
(GLINTMERE_WINE_PREFIX, GLINTMERE_WITH_WINE): a copy of the exe sits in the scratch folder, since
the program makes its own folder the working folder and finds texture/ and musics/ there.
"""

import os
import re
import shutil
import signal
import subprocess
import tempfile
import threading
import time
import unittest

from scene_model import WINDOW_HEIGHT, WINDOW_WIDTH
from xdisplay import DEFAULT_TIMEOUT, XServer, wait_until

BINARY = os.environ.get("GLINTMERE_BIN", "")
BUILD_DIR = os.environ.get("GLINTMERE_BUILD_DIR", "")
WINE_PREFIX = os.environ.get("GLINTMERE_WINE_PREFIX", "")
WITH_WINE = os.environ.get("GLINTMERE_WITH_WINE", "")
UNDER_WINE = bool(WINE_PREFIX and WITH_WINE)
EXE_NAME = os.path.basename(BINARY)

# What Wine and freeglut write to standard error on every start of the exe, and nothing else: Wine
# gives freeglut no display device context for the screen. {exe} is the Windows path of the exe.
WINE_NOISE = [
    "freeglut ({exe}): fgPlatformInitialize: CreateDC failed, Screen size info may be incorrect",
    "This is quite likely caused by a bad '-display' parameter",
]
# Wine's report of a crash, on the standard error of the process that crashed.
WINE_CRASH = re.compile(r"wine: Unhandled .+ at address [0-9A-Fa-f]+ \(thread [0-9a-f]+\), starting debugger\.\.\.")
# The program's own line when the first cue finds no sound device (with-wine.sh turns them off).
NO_AUDIO = "glintmere: no audio device, sound is off"

HINT = "Press 'F1' or 'h' for help"
COMBINED_TITLE = "Glintmere: Combined view with glLookAt() function. Press 'F1' or 'h' for help."
ORTHOGONAL_TITLE = "Glintmere: Orthogonal view. Press 'F1' or 'h' for help."


def perspective_title(frac_x, frac_y, alpha, near=0.0, far=33.1):
    """The perspective title the program writes for these mouse fractions and clip planes."""
    beta = 180 * frac_x - 90
    distance = -(near + (far - near) * frac_y)
    return "Glintmere: Mouse at (%.3f, %.3f).  Alpha=%3d.  Beta=%3.0f.  Distance=%.2f." % (
        frac_x,
        frac_y,
        alpha,
        beta,
        distance,
    )


def program_env(extra=None):
    env = dict(os.environ)
    env.setdefault("SDL_AUDIODRIVER", "dummy")
    # GL and GLUT keep their allocations until exit; only real memory errors should fail a run.
    env.setdefault("ASAN_OPTIONS", "detect_leaks=0")
    env["LIBGL_ALWAYS_SOFTWARE"] = "1"
    if extra:
        env.update(extra)
    return env


def windows_path(path):
    """The path Wine shows a Windows program for a path of this machine (through drive Z:)."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def program_command(workdir, args, native=None, heard=None):
    """The command line that starts the program from workdir (make_workdir's, holding the exe under
    Wine), or the native program `native` names instead. Under Wine, `heard` names a file that a
    wave-out device fills with what the exe plays (with-wine.sh --heard)."""
    if native:
        return [native, *args]
    if UNDER_WINE:
        launcher = ["--heard", WINE_PREFIX, heard] if heard else ["--on", WINE_PREFIX]
        return [WITH_WINE, *launcher, "wine", os.path.join(workdir, EXE_NAME), *args]
    return [BINARY, *args]


def program_output(raw):
    """Decoded output lines of the program, without Windows' carriage return before each line end."""
    lines = raw.decode("latin-1").split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    return [line[:-1] if UNDER_WINE and line.endswith("\r") else line for line in lines]


def without_wine_noise(lines, workdir):
    """Standard error lines less the pair Wine and freeglut print on each start of the exe in workdir.

    Each noise line is taken away once, where it is exactly as expected; anything else stays."""
    if not UNDER_WINE:
        return list(lines)
    left = list(lines)
    exe = windows_path(os.path.join(workdir, EXE_NAME))
    for noise in WINE_NOISE:
        # freeglut spells the exe's path in the ANSI code page, where a letter outside it becomes
        # another or a '?': such a path is matched by its ASCII letters, each other one standing for one.
        pattern = "".join(re.escape(c) if ord(c) < 128 else "." for c in noise.format(exe=exe))
        line = next((line for line in left if re.fullmatch(pattern, line)), None)
        if line is not None:
            left.remove(line)
    return left


def without_desktop_crash(lines, status):
    """Standard error lines less Wine's crash reports, where the exe ended with `status` 0.

    The exe's first window starts the session's desktop process (explorer.exe, which ends again
    a second after the last window of the session), and the desktop inherits the exe's standard
    error: Wine's report of a crash there lands among the exe's lines (seen once, as it started,
    with the exe unharmed). A crash in the exe itself, in any of its threads or as it exits, ends
    it with the exception's status, never 0; so a report in a run that ended with 0 is the
    desktop's, and is left out. In any other run it stays, and fails the test that reads it."""
    if status != 0:
        return list(lines)
    return [line for line in lines if not WINE_CRASH.fullmatch(line)]


def run_to_end(args, env, timeout):
    """Runs the program from a scratch folder until it ends, without input: a CompletedProcess with
    standard output and error as text (lines end in LF, Wine's noise taken out of standard error)."""
    workdir = make_workdir()
    if UNDER_WINE:
        start_wine_session(env)
    try:
        done = subprocess.run(
            program_command(workdir, args),
            cwd=workdir,
            env=env,
            stdin=subprocess.DEVNULL,
            capture_output=True,
            timeout=timeout,
            start_new_session=UNDER_WINE,
        )
    finally:
        shutil.rmtree(workdir, ignore_errors=True)
    out, err = program_output(done.stdout), without_wine_noise(program_output(done.stderr), workdir)
    if UNDER_WINE:
        err = without_desktop_crash(err, done.returncode)
    return subprocess.CompletedProcess(
        done.args, done.returncode, "".join(line + "\n" for line in out), "".join(line + "\n" for line in err)
    )


def make_workdir(copy_textures=False, name=""):
    """A scratch working directory with texture/ and musics/ from the build folder (and the exe,
    under Wine), its name starting with `name` after the usual prefix."""
    workdir = tempfile.mkdtemp(prefix="glintmere-e2e-" + name)
    if UNDER_WINE:
        shutil.copy2(BINARY, os.path.join(workdir, EXE_NAME))
    for name in ("texture", "musics"):
        source = os.path.join(BUILD_DIR, name)
        if copy_textures and name == "texture":
            shutil.copytree(source, os.path.join(workdir, name))
        else:
            os.symlink(source, os.path.join(workdir, name))
    return workdir


MAIN_MENU = [
    "1.View control",
    "2.Rendering",
    "3.Glintmere",
    "4.Enable/Disable lighting",
    "5.Turn on/off",
    "6.Enable/Disable collision check",
    "7.Change view volume",
    "8.Play/Stop music",
    "9.Reset",
    "10.Exit",
]
SUB_MENUS = {
    "1.View control": ["Perspective view", "combined view with lookAt function", "Orthogonal projection"],
    "2.Rendering": [
        "1.Wireframe/Filled rendering",
        "2.Flat/Smooth shading",
        "3.Paste/Remove texture",
        "4.Polished/Dull",
    ],
    "3.Glintmere": ["1.Automatic/Manual", "2.Add a fish", "3.Add fifteen worms", "4.Clear worm"],
    "5.Turn on/off": [
        "Turn ceiling light",
        "Turn on left lamp (blue)",
        "Turn on right lamp (red)",
        "Turn on front lamp (green)",
    ],
}
# The X window name Wine gives a freeglut menu (freeglut's window class for menus).
WINE_MENU_NAME = "freeglut menu"
# GLUT draws a 2-pixel border around a menu and gives every entry the same height.
MENU_BORDER = 2


class Lines:
    """Lines of one output stream, collected by a thread as the program writes them."""

    def __init__(self, stream, crlf):
        self._lines, self._cond = [], threading.Condition()
        # A Windows program ends its lines with CR LF; one CR before the LF is the line end.
        self._crlf = crlf
        self._thread = threading.Thread(target=self._read, args=(stream,), daemon=True)
        self._thread.start()

    def _read(self, stream):
        for raw in iter(stream.readline, b""):
            with self._cond:
                line = raw.decode("latin-1").rstrip("\n")
                if self._crlf and line.endswith("\r"):
                    line = line[:-1]
                self._lines.append(line)
                self._cond.notify_all()
        stream.close()

    def all(self):
        with self._cond:
            return list(self._lines)

    def count(self):
        with self._cond:
            return len(self._lines)

    def wait_for(self, predicate, start=0, timeout=None, what="output"):
        """Waits until predicate(lines[start:]) is truthy and returns its value."""
        deadline = time.monotonic() + (DEFAULT_TIMEOUT if timeout is None else timeout)
        with self._cond:
            while True:
                value = predicate(self._lines[start:])
                if value:
                    return value
                left = deadline - time.monotonic()
                if left <= 0 or (not self._thread.is_alive() and not value):
                    if not self._thread.is_alive():
                        value = predicate(self._lines[start:])
                        if value:
                            return value
                    raise TimeoutError("timed out waiting for %s; got %r" % (what, self._lines[start:][-40:]))
                self._cond.wait(min(left, 0.5))

    def join(self, timeout=None):
        self._thread.join(timeout)


class GlintmereRun:
    """One run of the program on an X server, from a working directory: the program under test, or
    the native program `native` names (to compare the exe with)."""

    def __init__(self, xserver, args=(), workdir=None, env=None, native=None, cwd=None, heard=None):
        self.x = xserver
        self.wine = UNDER_WINE and not native
        self.workdir = workdir or make_workdir()
        # Under Wine the program is a child of with-wine.sh: a process group of its own lets a
        # signal reach both.
        self.process = subprocess.Popen(
            program_command(self.workdir, args, native, heard),
            cwd=cwd or self.workdir,
            env=program_env(dict(env or {}, DISPLAY=xserver.name)),
            stdin=subprocess.DEVNULL,
            stdout=subprocess.PIPE,
            stderr=subprocess.PIPE,
            start_new_session=self.wine,
        )
        self.out = Lines(self.process.stdout, self.wine)
        self.err = Lines(self.process.stderr, self.wine)
        self.window = None
        self.menu_entry_heights = set()
        # Windows of earlier runs on this server carry the same titles; they are not this run's.
        self._earlier_windows = set(xserver.windows_named("Furniture"))
        # Patterns of the standard error lines a test allows this run, each matching at most one
        # line, besides Wine's noise (E2ETestCase checks a Wine run's standard error against them).
        self.expected_errors = [re.escape(NO_AUDIO)] if self.wine and not heard else []

    # -- start and end ------------------------------------------------------------------------------
    def wait_for_window(self):
        """Waits for the window to take its first running title, then points the keyboard at it."""

        def ready():
            for window in self.x.windows_named("Furniture"):
                if window in self._earlier_windows:
                    continue
                history = self.x.title_history(window)
                if len(history) > 1:
                    return window
            if self.process.poll() is not None:
                raise AssertionError(
                    "glintmere ended with status %s before its window was up; stderr: %s"
                    % (self.process.returncode, self.err.all()[-20:])
                )
            return None

        self.window = wait_until(ready, what="the window's first running title")
        # GLUT places a window without a given position at (-1, -1), one pixel off the screen; with
        # no window manager to place it, move it fully on the screen so every pixel can be read.
        self.x.xdotool("windowmove", "--sync", self.window, 8, 8)
        wait_until(lambda: self.x.geometry(self.window)[:2] == (8, 8), what="the window on the screen")
        self.focus()
        return self.window

    def focus(self):
        # No window manager: the pointer over the window gives it the keyboard (PointerRoot focus),
        # and the explicit focus makes sure of it.
        self.x.xdotool("mousemove", "--window", self.window, WINDOW_WIDTH // 2, WINDOW_HEIGHT // 2)
        self.x.xdotool("windowfocus", "--sync", self.window)
        if self.wine:
            # Wine passes keys to a window it has made active, and with no window manager only a
            # click does that. The program has no use for a left click without a drag.
            self.x.xdotool("click", 1)

    def wait_exit(self, timeout=None):
        try:
            status = self.process.wait(DEFAULT_TIMEOUT if timeout is None else timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError("glintmere did not end; stdout tail %r" % self.out.all()[-10:])
        self.out.join(5)
        self.err.join(5)
        return status

    def _signal(self, number):
        if self.wine:
            try:
                os.killpg(self.process.pid, number)
            except ProcessLookupError:
                pass
        else:
            self.process.send_signal(number)

    def stop(self):
        if self.process.poll() is None:
            self._signal(signal.SIGTERM)
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                self._signal(signal.SIGKILL)
                self.process.wait()
        self.out.join(5)
        self.err.join(5)
        shutil.rmtree(self.workdir, ignore_errors=True)

    # -- what the user sees ----------------------------------------------------------------------------
    def title(self):
        return self.x.title(self.window)

    def on_screen(self):
        """Whether the program's window is shown."""
        return self.x.viewable(self.window)

    def wait_title(self, expected, what=None):
        def matches():
            title = self.title()
            return title == expected if isinstance(expected, str) else (title is not None and expected(title))

        try:
            wait_until(matches, what=what or "the title %r" % (expected,))
        except TimeoutError as error:
            raise AssertionError("%s; the title is %r" % (error, self.title()))
        return self.title()

    def screenshot(self):
        image = self.x.capture(self.window)
        if (image.width, image.height) != (WINDOW_WIDTH, WINDOW_HEIGHT):
            raise AssertionError("window picture is %dx%d" % (image.width, image.height))
        return image

    def settled_screenshot(self, check, what):
        """Takes pictures until check(image) holds (a frame or two may still show the old state)."""
        last = {}

        def attempt():
            image = self.screenshot()
            last["image"] = image
            return image if check(image) else None

        try:
            return wait_until(attempt, interval=0.1, what=what)
        except TimeoutError as error:
            raise AssertionError(str(error)) from None

    def mark(self):
        """Where the next output line will land, for waiting on what an action prints."""
        return self.out.count()

    def errors(self):
        """Standard error as the program wrote it, without Wine's noise."""
        errors = self.err.all()
        if not self.wine:
            return errors
        return without_desktop_crash(without_wine_noise(errors, self.workdir), self.process.poll())

    # -- input --------------------------------------------------------------------------------------------
    def key(self, *names, delay=30):
        self.x.xdotool("key", "--delay", delay, *names)

    def choose(self, *path, at=(60, 60)):
        """Opens the right-button menu at a window point and clicks through the labels in path:
        sub-menus open by hovering over their entry, the last entry is clicked with the left button."""

        def popups():
            # Under Wine a menu is a plain top-level window, found by its name.
            return self.x.viewable_popups(WINE_MENU_NAME if self.wine else None)

        def open_menu():
            # A press that lands while GLUT is busy may open nothing; press again only then.
            for _ in range(5):
                if popups():
                    return popups()
                self.x.xdotool("mousemove", "--window", self.window, *at)
                self.x.xdotool("click", 3)
                try:
                    return wait_until(popups, timeout=5, what="the menu")
                except TimeoutError:
                    continue
            raise AssertionError("the right button opened no menu")

        def hover_until_open(x, y, depth, label):
            # GLUT opens a sub-menu on pointer motion over its entry; move a pixel to and fro until it does.
            for step in range(int(DEFAULT_TIMEOUT / 0.5)):
                self.x.xdotool("mousemove", x + step % 2, y)
                try:
                    return wait_until(lambda: len(popups()) > depth + 1 and popups(), timeout=0.5)
                except TimeoutError:
                    continue
            raise AssertionError("the sub-menu %s did not open" % label)

        try:
            wait_until(lambda: not popups(), what="no menu open")
            shown = open_menu()
            labels = MAIN_MENU
            for depth, label in enumerate(path):
                menu, (mx, my, mw, mh) = shown[-1]
                entry = (mh - 2 * MENU_BORDER) / len(labels)
                self.menu_entry_heights.add(entry)
                index = labels.index(label)
                x, y = mx + min(40, mw // 2), round(my + MENU_BORDER + (index + 0.5) * entry)
                if depth + 1 < len(path):
                    opened = hover_until_open(x, y, depth, label)
                    shown = [p for p in opened if p[0] not in {m for m, _ in shown}] or opened[-1:]
                    labels = SUB_MENUS[label]
                else:
                    self.x.xdotool("mousemove", x, y)
                    self.x.xdotool("click", 1)
            wait_until(lambda: not popups(), what="the menu to close")
        finally:
            if self.process.poll() is None and self.x.geometry(self.window):
                self.x.xdotool("mousemove", "--window", self.window, WINDOW_WIDTH // 2, WINDOW_HEIGHT // 2)

    def drag(self, start, end, button=1, steps=6):
        """Presses the button at start (window pixels), moves in steps to end, and lets go."""
        self.x.xdotool("mousemove", "--window", self.window, *start)
        self.x.xdotool("mousedown", button)
        for i in range(1, steps + 1):
            x = round(start[0] + (end[0] - start[0]) * i / steps)
            y = round(start[1] + (end[1] - start[1]) * i / steps)
            self.x.xdotool("mousemove", "--window", self.window, x, y)
        self.x.xdotool("mouseup", button)


def close_to(colour, expected, tolerance=3):
    return all(abs(a - b) <= tolerance for a, b in zip(colour, expected))


def float_colour(rgb):
    """An OpenGL float colour as the 8-bit pixel it becomes."""
    return tuple(round(min(max(c, 0.0), 1.0) * 255) for c in rgb)


def start_wine_session(x_env):
    """Starts the prefix's server, services and desktop on the test's X server with a program of no
    output. They outlive the program that starts them, with its standard streams: started by the
    program under test, they would hold its pipes open after it ends."""
    subprocess.run(
        [WITH_WINE, "--on", WINE_PREFIX, "wine", "cmd.exe", "/c", "exit"],
        env=x_env,
        stdin=subprocess.DEVNULL,
        stdout=subprocess.DEVNULL,
        stderr=subprocess.DEVNULL,
        timeout=4 * DEFAULT_TIMEOUT,
        check=True,
    )


def end_wine_session():
    """Ends every Windows process of the prefix, its wineserver with them, before the test's X server
    goes: Wine's desktop process stays on the X display of the first program the server started and
    would otherwise outlive it, complaining of a broken connection. The next test starts a session
    of its own. The Wine tests take turns (ctest's resource lock), so
    no other test's program is ended here."""
    for action in ("-k", "-w"):
        subprocess.run(
            [WITH_WINE, "--on", WINE_PREFIX, "wineserver", action],
            stdin=subprocess.DEVNULL,
            stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL,
            timeout=DEFAULT_TIMEOUT,
            check=False,
        )


class E2ETestCase(unittest.TestCase):
    """Gives each test its own X server; runs are stopped and their output shown on failure."""

    screen = (1280, 1024)  # the X server's screen size

    def setUp(self):
        if not BINARY or not os.access(BINARY, os.X_OK):
            self.fail("GLINTMERE_BIN does not name the built program: %r" % BINARY)
        self.x = XServer(*self.screen)
        self.addCleanup(self.x.close)
        if UNDER_WINE:
            self.addCleanup(end_wine_session)
            start_wine_session(self.x.env)
        self._runs = []

    def start(self, *args, workdir=None, env=None, wait=True, native=None, cwd=None, heard=None):
        """Starts the program from `workdir` (made when not given), or from `cwd` with the program
        and its data still in `workdir`; under Wine with a wave-out device filling `heard`, if given."""
        run = GlintmereRun(self.x, args, workdir=workdir, env=env, native=native, cwd=cwd, heard=heard)
        self._runs.append(run)
        self.addCleanup(self._finish, run)
        if wait:
            run.wait_for_window()
        return run

    def _finish(self, run):
        workdir = run.workdir
        run.stop()
        errors = run.err.all()
        if any("Sanitizer" in line or "runtime error:" in line for line in errors):
            self.fail("glintmere reported a memory or undefined-behaviour error:\n" + "\n".join(errors[-60:]))
        if run.wine:
            # Wine says nothing of its own with WINEDEBUG=-all: a line that is neither its known
            # noise nor one the test expects comes from the program or a fault of the port.
            unexpected = without_desktop_crash(without_wine_noise(errors, workdir), run.process.returncode)
            for pattern in run.expected_errors:
                found = next((line for line in unexpected if re.fullmatch(pattern, line)), None)
                if found is not None:
                    unexpected.remove(found)
            if unexpected:
                self.fail("unexpected lines on standard error of the exe: %r (all of it: %r)" % (unexpected, errors))
