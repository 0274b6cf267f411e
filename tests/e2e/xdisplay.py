# xdisplay.py -- a private Xvfb per test, and what the X server knows: windows, titles, pixels, input.
"""Starts one Xvfb for a test and talks to it.

Window titles and the window tree are read straight from the server through libX11 (ctypes); a
watcher thread records every WM_NAME a top-level window ever carries, so a title that lives for
only a moment (the program's "Furniture") is not missed. Input goes through xdotool (XTEST) and
pictures come from ImageMagick's import, both pointed at this server only.
"""

import ctypes
import ctypes.util
import os
import select
import subprocess
import struct
import threading
import time
import zlib

_xlib = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")

Window = ctypes.c_ulong
Atom = ctypes.c_ulong


class XWindowAttributes(ctypes.Structure):
    _fields_ = [
        ("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int), ("height", ctypes.c_int),
        ("border_width", ctypes.c_int), ("depth", ctypes.c_int), ("visual", ctypes.c_void_p),
        ("root", Window), ("c_class", ctypes.c_int), ("bit_gravity", ctypes.c_int),
        ("win_gravity", ctypes.c_int), ("backing_store", ctypes.c_int),
        ("backing_planes", ctypes.c_ulong), ("backing_pixel", ctypes.c_ulong),
        ("save_under", ctypes.c_int), ("colormap", ctypes.c_ulong), ("map_installed", ctypes.c_int),
        ("map_state", ctypes.c_int), ("all_event_masks", ctypes.c_long),
        ("your_event_mask", ctypes.c_long), ("do_not_propagate_mask", ctypes.c_long),
        ("override_redirect", ctypes.c_int), ("screen", ctypes.c_void_p),
    ]


class XAnyEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", Window)]


class XCreateWindowEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("parent", Window), ("window", Window)]


class XPropertyEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", Window), ("atom", Atom),
                ("time", ctypes.c_ulong), ("state", ctypes.c_int)]


class XEvent(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("xany", XAnyEvent), ("xcreatewindow", XCreateWindowEvent),
                ("xproperty", XPropertyEvent), ("pad", ctypes.c_long * 24)]


_ERROR_HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)

_xlib.XInitThreads.restype = ctypes.c_int
_xlib.XOpenDisplay.restype = ctypes.c_void_p
_xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
_xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
_xlib.XDefaultRootWindow.restype = Window
_xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
_xlib.XQueryTree.argtypes = [ctypes.c_void_p, Window, ctypes.POINTER(Window), ctypes.POINTER(Window),
                             ctypes.POINTER(ctypes.POINTER(Window)), ctypes.POINTER(ctypes.c_uint)]
_xlib.XFree.argtypes = [ctypes.c_void_p]
_xlib.XGetWindowAttributes.argtypes = [ctypes.c_void_p, Window, ctypes.POINTER(XWindowAttributes)]
_xlib.XFetchName.argtypes = [ctypes.c_void_p, Window, ctypes.POINTER(ctypes.c_void_p)]
_xlib.XSelectInput.argtypes = [ctypes.c_void_p, Window, ctypes.c_long]
_xlib.XPending.argtypes = [ctypes.c_void_p]
_xlib.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.POINTER(XEvent)]
_xlib.XConnectionNumber.argtypes = [ctypes.c_void_p]
_xlib.XInternAtom.restype = Atom
_xlib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
_xlib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
_xlib.XFlush.argtypes = [ctypes.c_void_p]
_xlib.XTranslateCoordinates.argtypes = [ctypes.c_void_p, Window, Window, ctypes.c_int, ctypes.c_int,
                                        ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_int),
                                        ctypes.POINTER(Window)]
_xlib.XSetErrorHandler.argtypes = [_ERROR_HANDLER]
_xlib.XSetErrorHandler.restype = ctypes.c_void_p


# A window can vanish between listing it and asking about it (menus close, the program quits); the
# default handler would end the test process over that, so errors are only counted.
@_ERROR_HANDLER
def _ignore_x_error(_display, _event):
    return 0


_xlib.XInitThreads()
_xlib.XSetErrorHandler(_ignore_x_error)

CREATE_NOTIFY = 16
PROPERTY_NOTIFY = 28
SUBSTRUCTURE_NOTIFY_MASK = 1 << 19
PROPERTY_CHANGE_MASK = 1 << 22
IS_VIEWABLE = 2

DEFAULT_TIMEOUT = float(os.environ.get("GLINTMERE_E2E_TIMEOUT", "30"))


class Image:
    """An RGB picture: rows top down, 3 bytes a pixel."""

    def __init__(self, width, height, data):
        self.width, self.height, self.data = width, height, data

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.data[i:i + 3])

    def patch(self, x0, y0, x1, y1):
        """Pixels of the half-open box [x0, x1) x [y0, y1), row by row."""
        return [self.pixel(x, y) for y in range(y0, y1) for x in range(x0, x1)]


def parse_ppm(blob):
    """Reads a binary (P6) PPM with a maxval of 255."""
    fields, pos = [], 0
    while len(fields) < 4:
        while blob[pos:pos + 1].isspace():
            pos += 1
        if blob[pos:pos + 1] == b"#":
            pos = blob.index(b"\n", pos) + 1
            continue
        end = pos
        while not blob[end:end + 1].isspace():
            end += 1
        fields.append(blob[pos:end])
        pos = end
    if fields[0] != b"P6" or int(fields[3]) != 255:
        raise ValueError("not an 8-bit binary PPM: %r" % fields)
    width, height = int(fields[1]), int(fields[2])
    pixels = blob[pos + 1:pos + 1 + width * height * 3]
    if len(pixels) != width * height * 3:
        raise ValueError("PPM pixel block too short")
    return Image(width, height, pixels)


def png_size(path):
    """(width, height) from a PNG file's header."""
    with open(path, "rb") as handle:
        head = handle.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n" or head[12:16] != b"IHDR":
        raise ValueError(path + " is not a PNG file")
    return struct.unpack(">II", head[16:24])


def read_png(path):
    """Decodes an 8-bit RGB or RGBA, non-interlaced PNG file into an Image (alpha dropped)."""
    with open(path, "rb") as handle:
        blob = handle.read()
    if blob[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError(path + " is not a PNG file")
    pos, header, idat = 8, None, b""
    while pos < len(blob):
        length, kind = struct.unpack(">I4s", blob[pos:pos + 8])
        body = blob[pos + 8:pos + 8 + length]
        if zlib.crc32(kind + body) != struct.unpack(">I", blob[pos + 8 + length:pos + 12 + length])[0]:
            raise ValueError("bad CRC in the %s chunk" % kind.decode())
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        elif kind == b"IEND":
            break
        pos += 12 + length
    width, height, depth, colour_type, _, _, interlace = header
    if depth != 8 or colour_type not in (2, 6) or interlace != 0:
        raise ValueError("unsupported PNG layout %r" % (header,))
    channels = 3 if colour_type == 2 else 4
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up = previous[i]
            corner = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + left) & 255
            elif kind == 2:
                line[i] = (line[i] + up) & 255
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                line[i] = (line[i] + (left if pa <= pb and pa <= pc else up if pb <= pc else corner)) & 255
            elif kind != 0:
                raise ValueError("unknown PNG filter %d" % kind)
        rows.append(bytes(line) if channels == 3 else bytes(b for i, b in enumerate(line) if i % 4 != 3))
        previous = line
    return Image(width, height, b"".join(rows))


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


class XServer:
    """One Xvfb on a display of its own, with a connection for queries and a title watcher."""

    def __init__(self, width=1280, height=1024):
        read_fd, write_fd = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "%dx%dx24" % (width, height),
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        number = b""
        ready, _, _ = select.select([read_fd], [], [], DEFAULT_TIMEOUT)
        while ready:
            chunk = os.read(read_fd, 16)
            if not chunk:
                break
            number += chunk
            if number.endswith(b"\n"):
                break
        os.close(read_fd)
        if not number.strip():
            self.process.kill()
            raise RuntimeError("Xvfb did not report a display")
        self.name = ":" + number.decode().strip()
        self.env = dict(os.environ, DISPLAY=self.name)
        self.env.pop("XAUTHORITY", None)
        self._dpy = _xlib.XOpenDisplay(self.name.encode())
        if not self._dpy:
            self.close()
            raise RuntimeError("cannot connect to " + self.name)
        self.root = _xlib.XDefaultRootWindow(self._dpy)
        self._wm_name = _xlib.XInternAtom(self._dpy, b"WM_NAME", 0)
        self._lock = threading.Lock()
        self._titles = {}  # window -> every name it carried, in order
        self._stop = False
        self._watch_ready = threading.Event()
        self._watcher = threading.Thread(target=self._watch, daemon=True)
        self._watcher.start()
        self._watch_ready.wait(DEFAULT_TIMEOUT)

    # -- the watcher ------------------------------------------------------------------------------
    def _record(self, dpy, window):
        name = _fetch_name(dpy, window)
        if name is None:
            return
        with self._lock:
            seen = self._titles.setdefault(window, [])
            if not seen or seen[-1] != name:
                seen.append(name)

    def _watch(self):
        dpy = _xlib.XOpenDisplay(self.name.encode())
        root = _xlib.XDefaultRootWindow(dpy)
        _xlib.XSelectInput(dpy, root, SUBSTRUCTURE_NOTIFY_MASK)
        _xlib.XSync(dpy, 0)
        self._watch_ready.set()
        fd = _xlib.XConnectionNumber(dpy)
        event = XEvent()
        while not self._stop:
            if not _xlib.XPending(dpy):
                select.select([fd], [], [], 0.05)
                continue
            _xlib.XNextEvent(dpy, ctypes.byref(event))
            if event.type == CREATE_NOTIFY and event.xcreatewindow.parent == root:
                window = event.xcreatewindow.window
                _xlib.XSelectInput(dpy, window, PROPERTY_CHANGE_MASK)
                _xlib.XSync(dpy, 0)
                self._record(dpy, window)
            elif event.type == PROPERTY_NOTIFY and event.xproperty.atom == self._wm_name:
                self._record(dpy, event.xproperty.window)
        _xlib.XCloseDisplay(dpy)

    def title_history(self, window):
        with self._lock:
            return list(self._titles.get(window, []))

    def windows_named(self, name):
        with self._lock:
            return [w for w, seen in self._titles.items() if name in seen]

    # -- queries ----------------------------------------------------------------------------------
    def top_windows(self):
        """The root's children, bottom to top."""
        root_ret, parent_ret = Window(), Window()
        children = ctypes.POINTER(Window)()
        count = ctypes.c_uint()
        if not _xlib.XQueryTree(self._dpy, self.root, ctypes.byref(root_ret), ctypes.byref(parent_ret),
                                ctypes.byref(children), ctypes.byref(count)):
            return []
        result = [children[i] for i in range(count.value)]
        if children:
            _xlib.XFree(children)
        return result

    def attributes(self, window):
        attrs = XWindowAttributes()
        if not _xlib.XGetWindowAttributes(self._dpy, window, ctypes.byref(attrs)):
            return None
        return attrs

    def geometry(self, window):
        """(x, y, width, height) of the window on the screen, or None once it is gone."""
        attrs = self.attributes(window)
        if attrs is None:
            return None
        x, y, child = ctypes.c_int(), ctypes.c_int(), Window()
        _xlib.XTranslateCoordinates(self._dpy, window, self.root, 0, 0, ctypes.byref(x), ctypes.byref(y),
                                    ctypes.byref(child))
        return x.value, y.value, attrs.width, attrs.height

    def viewable_popups(self):
        """Mapped override-redirect windows (GLUT's menus), bottom to top, with their geometry."""
        found = []
        for window in self.top_windows():
            attrs = self.attributes(window)
            if attrs is not None and attrs.override_redirect and attrs.map_state == IS_VIEWABLE:
                found.append((window, (attrs.x, attrs.y, attrs.width, attrs.height)))
        return found

    def title(self, window):
        return _fetch_name(self._dpy, window)

    # -- input and pictures -------------------------------------------------------------------------
    def xdotool(self, *args):
        subprocess.run(["xdotool", *[str(a) for a in args]], env=self.env, check=True,
                       stdout=subprocess.DEVNULL, timeout=DEFAULT_TIMEOUT)

    def capture(self, window):
        blob = subprocess.run(["import", "-silent", "-window", str(window), "-depth", "8", "ppm:-"], env=self.env,
                              check=True, capture_output=True, timeout=DEFAULT_TIMEOUT).stdout
        return parse_ppm(blob)

    def close(self):
        self._stop = True
        if getattr(self, "_watcher", None) is not None:
            self._watcher.join(5)
        if getattr(self, "_dpy", None):
            _xlib.XCloseDisplay(self._dpy)
            self._dpy = None
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()


def _fetch_name(dpy, window):
    raw = ctypes.c_void_p()
    if not _xlib.XFetchName(dpy, window, ctypes.byref(raw)) or not raw.value:
        return None
    try:
        return ctypes.string_at(raw.value).decode("latin-1")
    finally:
        _xlib.XFree(raw)
