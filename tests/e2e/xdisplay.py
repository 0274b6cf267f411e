# xdisplay.py -- a private Xvfb per test, and what the X server knows: windows, titles, pixels, input.
"""Starts one Xvfb for a test and talks to it.

Window titles and the window tree are read straight from the server through python3-xlib; a
watcher thread records every WM_NAME a top-level window ever carries, so a title that lives for
only a moment (the program's "Furniture") is not missed. Input goes through xdotool (XTEST),
pictures come from ImageMagick's import, both pointed at this server only, and image files are
decoded with Pillow.
"""

import io
import os
import select
import subprocess
import tempfile
import threading
import time

from PIL import Image as PilImage
from Xlib import X
from Xlib import display as xdisplay
from Xlib import error as xerror

LAUNCHER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "with-display.sh")
DEFAULT_TIMEOUT = float(os.environ.get("GLINTMERE_E2E_TIMEOUT", "30"))


class Image:
    """An RGB picture: rows top down, 3 bytes a pixel."""

    def __init__(self, width, height, data):
        self.width, self.height, self.data = width, height, data

    @classmethod
    def from_file(cls, source):
        """Any picture Pillow reads (PNG, PPM, ...), alpha dropped."""
        with PilImage.open(source) as picture:
            rgb = picture.convert("RGB")
            return cls(rgb.width, rgb.height, rgb.tobytes())

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.data[i : i + 3])

    def patch(self, x0, y0, x1, y1):
        """Pixels of the half-open box [x0, x1) x [y0, y1), row by row."""
        return [self.pixel(x, y) for y in range(y0, y1) for x in range(x0, x1)]


def png_size(path):
    """(width, height) of a PNG file, which must be one."""
    with PilImage.open(path) as picture:
        if picture.format != "PNG":
            raise ValueError(path + " is not a PNG file")
        return picture.size


def read_png(path):
    """Decodes a PNG file into an Image (alpha dropped)."""
    with PilImage.open(path) as picture:
        if picture.format != "PNG":
            raise ValueError(path + " is not a PNG file")
    return Image.from_file(path)


def wait_until(predicate, timeout=None, interval=0.05, what="condition"):
    """Polls predicate until it returns something truthy, which is returned."""
    deadline = time.monotonic() + (DEFAULT_TIMEOUT if timeout is None else timeout)
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise TimeoutError("timed out waiting for " + what)
        time.sleep(interval)


# A window can vanish between listing it and asking about it (menus close, the program quits); such
# errors mean "gone", never a failed test.
def _ignore_error(*_):
    pass


def _fetch_name(window):
    try:
        name = window.get_wm_name()
    except xerror.XError:
        return None
    if isinstance(name, bytes):
        name = name.decode("latin-1")
    return name or None


class XServer:
    """One Xvfb on a display of its own, with a connection for queries and a title watcher."""

    def __init__(self, width=1280, height=1024):
        # The project's one launcher: a private Xvfb that never resets between clients.
        handle, self._server_file = tempfile.mkstemp(prefix="glintmere-x-")
        os.close(handle)
        started = subprocess.run(
            [LAUNCHER, "--screen", "%dx%d" % (width, height), "--start", self._server_file],
            stdin=subprocess.DEVNULL,
            stdout=subprocess.DEVNULL,
            stderr=subprocess.PIPE,
            text=True,
            timeout=DEFAULT_TIMEOUT,
            check=False,
        )
        if started.returncode != 0:
            os.unlink(self._server_file)
            raise RuntimeError("no X server: " + started.stderr.strip())
        with open(self._server_file) as server:
            self.name = server.read().split()[0]
        self.env = dict(os.environ, DISPLAY=self.name)
        self.env.pop("XAUTHORITY", None)
        self._dpy = None
        try:
            self._dpy = xdisplay.Display(self.name)
        except (xerror.DisplayError, xerror.ConnectionClosedError) as failure:
            self.close()
            raise RuntimeError("cannot connect to %s: %s" % (self.name, failure))
        self._dpy.set_error_handler(_ignore_error)
        self.root = self._dpy.screen().root
        self._lock = threading.Lock()
        self._titles = {}  # window id -> every name it carried, in order
        self._stop = False
        self._watch_ready = threading.Event()
        self._watcher = threading.Thread(target=self._watch, daemon=True)
        self._watcher.start()
        self._watch_ready.wait(DEFAULT_TIMEOUT)

    # -- the watcher ------------------------------------------------------------------------------
    def _record(self, window):
        name = _fetch_name(window)
        if name is None:
            return
        with self._lock:
            seen = self._titles.setdefault(window.id, [])
            if not seen or seen[-1] != name:
                seen.append(name)

    def _watch(self):
        dpy = xdisplay.Display(self.name)
        dpy.set_error_handler(_ignore_error)
        root = dpy.screen().root
        wm_name = dpy.intern_atom("WM_NAME")
        root.change_attributes(event_mask=X.SubstructureNotifyMask)
        dpy.sync()
        self._watch_ready.set()
        while not self._stop:
            if not dpy.pending_events():
                select.select([dpy.fileno()], [], [], 0.05)
                continue
            event = dpy.next_event()
            if event.type == X.CreateNotify and event.parent.id == root.id:
                event.window.change_attributes(event_mask=X.PropertyChangeMask, onerror=_ignore_error)
                dpy.sync()
                self._record(event.window)
            elif event.type == X.PropertyNotify and event.atom == wm_name:
                self._record(event.window)
        dpy.close()

    def title_history(self, window):
        with self._lock:
            return list(self._titles.get(window, []))

    def windows_named(self, name):
        with self._lock:
            return [w for w, seen in self._titles.items() if name in seen]

    # -- queries ----------------------------------------------------------------------------------
    def _window(self, window):
        return self._dpy.create_resource_object("window", window)

    def top_windows(self):
        """The root's children (window ids), bottom to top."""
        try:
            return [child.id for child in self.root.query_tree().children]
        except xerror.XError:
            return []

    def geometry(self, window):
        """(x, y, width, height) of the window on the screen, or None once it is gone."""
        try:
            w = self._window(window)
            size = w.get_geometry()
            origin = self.root.translate_coords(w, 0, 0)  # the window's (0, 0) on the root
        except xerror.XError:
            return None
        return origin.x, origin.y, size.width, size.height

    def viewable(self, window):
        """Whether the window is shown: it exists and is mapped (an unmapped window is off the
        screen, destroyed or not)."""
        try:
            return self._window(window).get_attributes().map_state == X.IsViewable
        except xerror.XError:
            return False

    def viewable_popups(self, named=None):
        """Mapped override-redirect windows (GLUT's menus), bottom to top, with their geometry; when
        `named` is given, the mapped windows of that WM_NAME instead (Wine makes its menus plain
        top-level windows)."""
        found = []
        for window in self.top_windows():
            try:
                w = self._window(window)
                attrs = w.get_attributes()
                if attrs.map_state != X.IsViewable:
                    continue
                if (attrs.override_redirect == 0) if named is None else (_fetch_name(w) != named):
                    continue
                size = w.get_geometry()
            except xerror.XError:
                continue
            found.append((window, (size.x, size.y, size.width, size.height)))
        return found

    def title(self, window):
        return _fetch_name(self._window(window))

    # -- input and pictures -------------------------------------------------------------------------
    def xdotool(self, *args):
        subprocess.run(
            ["xdotool", *[str(a) for a in args]],
            env=self.env,
            check=True,
            stdout=subprocess.DEVNULL,
            timeout=DEFAULT_TIMEOUT,
        )

    def capture(self, window):
        blob = subprocess.run(
            ["import", "-silent", "-window", str(window), "-depth", "8", "ppm:-"],
            env=self.env,
            check=True,
            capture_output=True,
            timeout=DEFAULT_TIMEOUT,
        ).stdout
        return Image.from_file(io.BytesIO(blob))

    def close(self):
        self._stop = True
        if getattr(self, "_watcher", None) is not None:
            self._watcher.join(5)
        if getattr(self, "_dpy", None) is not None:
            self._dpy.close()
            self._dpy = None
        subprocess.run([LAUNCHER, "--stop", self._server_file], stdin=subprocess.DEVNULL, check=False)
