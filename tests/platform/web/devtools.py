# devtools.py -- Chromium started with a profile of its own and driven over the DevTools protocol, and a static
# server of the site, each on a port of its own on 127.0.0.1.
"""The browser side of the page's tests.

Each test serves the built site from a server of its own (Python's http.server, in a thread) and starts a
Chromium of its own: a fresh profile folder, DevTools on a port Chromium picks (read back from the profile's
DevToolsActivePort file), headless with SwiftShader's WebGL, or in a window on an X server given to it. The
protocol is spoken directly over a WebSocket with Debian's python3-websockets; its asyncio client runs on a
thread of its own, so that the tests call it as plain functions.
"""

import asyncio
import base64
import functools
import http.server
import io
import json
import os
import shutil
import signal
import subprocess
import tempfile
import threading
import time
import urllib.request

import websockets
from PIL import Image as PilImage

CHROMIUM = os.environ.get("GLINTMERE_CHROMIUM", "/usr/bin/chromium")
DEFAULT_TIMEOUT = float(os.environ.get("GLINTMERE_E2E_TIMEOUT", "30"))

# Flags every run gets: nothing of the browser's own reaches the network (this machine has none).
COMMON_FLAGS = [
    "--no-first-run",
    "--no-default-browser-check",
    "--disable-background-networking",
    "--disable-component-update",
    "--disable-sync",
    "--disable-quic",
    "--disable-extensions",
    "--disable-features=Translate,MediaRouter,OptimizationHints",
    "--password-store=basic",
    "--ignore-gpu-blocklist",
]
# Who draws the page's WebGL. SwiftShader, the software renderer Chromium ships, is what a browser without a
# graphics driver uses, and what the tests use. Mesa's llvmpipe, under Chromium's ANGLE through EGL, is the
# rasteriser the native program draws with, for comparing frames without two rasterisers' differences.
RENDERERS = {
    "swiftshader": ["--use-gl=angle", "--use-angle=swiftshader", "--enable-unsafe-swiftshader"],
    "llvmpipe": ["--use-gl=angle", "--use-angle=gl-egl"],
}


class _QuietHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = dict(http.server.SimpleHTTPRequestHandler.extensions_map, **{".wasm": "application/wasm"})

    def log_message(self, *_):
        pass


class SiteServer:
    """The site served on 127.0.0.1, on a port of its own, until closed."""

    def __init__(self, directory):
        if not os.path.isfile(os.path.join(directory, "index.html")):
            raise RuntimeError("no site to serve in %r (make web builds it)" % directory)
        handler = functools.partial(_QuietHandler, directory=directory)
        self._server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        self._server.daemon_threads = True
        self.port = self._server.server_address[1]
        self.url = "http://127.0.0.1:%d/" % self.port
        self._thread = threading.Thread(target=self._server.serve_forever, daemon=True)
        self._thread.start()

    def close(self):
        self._server.shutdown()
        self._server.server_close()


class ProtocolError(RuntimeError):
    pass


class DevTools:
    """One WebSocket to a DevTools target: calls with their answers, and the events as they come."""

    def __init__(self, url):
        self._loop = asyncio.new_event_loop()
        self._thread = threading.Thread(target=self._loop.run_forever, daemon=True)
        self._thread.start()
        self._next_id = 0
        self._pending = {}
        self._events = []
        self._events_changed = threading.Condition()
        self._closed = False
        self._socket = self._run(self._connect(url))
        self._reader = asyncio.run_coroutine_threadsafe(self._read(), self._loop)

    @staticmethod
    async def _connect(url):
        return await websockets.connect(url, max_size=None, ping_interval=None)

    def _run(self, coroutine, timeout=None):
        future = asyncio.run_coroutine_threadsafe(coroutine, self._loop)
        return future.result(DEFAULT_TIMEOUT if timeout is None else timeout)

    async def _read(self):
        try:
            async for raw in self._socket:
                message = json.loads(raw)
                if "id" in message:
                    future = self._pending.pop(message["id"], None)
                    if future is not None and not future.done():
                        future.set_result(message)
                else:
                    with self._events_changed:
                        self._events.append(message)
                        self._events_changed.notify_all()
        except websockets.ConnectionClosed:
            pass
        finally:
            self._closed = True
            for future in self._pending.values():
                if not future.done():
                    future.set_exception(ProtocolError("the browser closed the DevTools connection"))
            with self._events_changed:
                self._events_changed.notify_all()

    async def _call(self, method, params):
        self._next_id += 1
        number = self._next_id
        future = self._loop.create_future()
        self._pending[number] = future
        await self._socket.send(json.dumps({"id": number, "method": method, "params": params}))
        return await future

    def call(self, method, timeout=None, **params):
        """The result of a protocol method, or ProtocolError with the browser's message."""
        if self._closed:
            raise ProtocolError("the DevTools connection is closed (calling %s)" % method)
        message = self._run(self._call(method, params), timeout)
        if "error" in message:
            raise ProtocolError("%s: %s" % (method, message["error"].get("message")))
        return message.get("result", {})

    def events(self, method=None):
        with self._events_changed:
            return [e for e in self._events if method is None or e.get("method") == method]

    def wait_event(self, method, predicate=lambda params: True, timeout=None, start=0):
        """The first event `method` from the start'th event on whose params satisfy predicate."""
        deadline = time.monotonic() + (DEFAULT_TIMEOUT if timeout is None else timeout)
        with self._events_changed:
            while True:
                for event in self._events[start:]:
                    if event.get("method") == method and predicate(event.get("params", {})):
                        return event["params"]
                left = deadline - time.monotonic()
                if left <= 0 or self._closed:
                    raise TimeoutError("no %s event came" % method)
                self._events_changed.wait(min(left, 0.5))

    def event_count(self):
        with self._events_changed:
            return len(self._events)

    def close(self):
        if not self._closed:
            try:
                self._run(self._socket.close(), 5)
            except Exception:  # closing a connection the browser already dropped
                pass
        self._loop.call_soon_threadsafe(self._loop.stop)
        self._thread.join(5)


class Chromium:
    """A Chromium of its own: headless, or in a window on `display` (an X server's name); its WebGL drawn by
    `renderer` (RENDERERS)."""

    def __init__(self, width=1500, height=1000, display=None, renderer="swiftshader", extra_flags=()):
        self.profile = tempfile.mkdtemp(prefix="glintmere-chromium-")
        self.log_path = os.path.join(self.profile, "chromium.log")
        flags = [
            "--user-data-dir=" + self.profile,
            "--remote-debugging-port=0",
            "--remote-allow-origins=*",
            "--window-size=%d,%d" % (width, height),
            *COMMON_FLAGS,
            *RENDERERS[renderer],
            *extra_flags,
        ]
        if os.geteuid() == 0:
            flags.append("--no-sandbox")
        env = dict(os.environ)
        if display is None:
            flags.append("--headless=new")
            env.pop("DISPLAY", None)
        else:
            flags += ["--window-position=0,0", "--start-maximized"]
            env["DISPLAY"] = display
        self._log = open(self.log_path, "wb")
        self.process = subprocess.Popen(
            [CHROMIUM, *flags, "about:blank"],
            stdin=subprocess.DEVNULL,
            stdout=self._log,
            stderr=subprocess.STDOUT,
            env=env,
            start_new_session=True,
        )
        try:
            self.port = self._wait_for_port()
            self.devtools = DevTools(self._page_socket())
        except Exception:
            self.close()
            raise

    def _wait_for_port(self):
        marker = os.path.join(self.profile, "DevToolsActivePort")
        deadline = time.monotonic() + DEFAULT_TIMEOUT
        while time.monotonic() < deadline:
            if self.process.poll() is not None:
                raise RuntimeError("Chromium ended with status %d at start: %s" % (self.process.returncode, self.log()))
            try:
                with open(marker) as active:
                    first = active.readline().strip()
                if first:
                    return int(first)
            except (FileNotFoundError, ValueError):
                pass
            time.sleep(0.05)
        raise RuntimeError("Chromium gave no DevTools port: " + self.log())

    def _page_socket(self):
        deadline = time.monotonic() + DEFAULT_TIMEOUT
        while time.monotonic() < deadline:
            with urllib.request.urlopen("http://127.0.0.1:%d/json/list" % self.port, timeout=5) as answer:
                targets = json.load(answer)
            pages = [t for t in targets if t.get("type") == "page" and t.get("webSocketDebuggerUrl")]
            if pages:
                return pages[0]["webSocketDebuggerUrl"]
            time.sleep(0.1)
        raise RuntimeError("Chromium shows no page to drive")

    def targets(self):
        """What the browser shows: its pages, workers and developer tools, as DevTools lists them."""
        with urllib.request.urlopen("http://127.0.0.1:%d/json/list" % self.port, timeout=5) as answer:
            return json.load(answer)

    def log(self, lines=30):
        try:
            with open(self.log_path, "rb") as log:
                return "\n".join(log.read().decode("utf-8", "replace").splitlines()[-lines:])
        except OSError:
            return ""

    def close(self):
        if getattr(self, "devtools", None):
            self.devtools.close()
        # Chromium's own processes (renderer, GPU, audio) are in the group this one leads.
        for number in (signal.SIGTERM, signal.SIGKILL):
            try:
                os.killpg(self.process.pid, number)
            except ProcessLookupError:
                break
            try:
                self.process.wait(10)
                break
            except subprocess.TimeoutExpired:
                continue
        # Whatever of the group outlived its leader.
        try:
            os.killpg(self.process.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        self._log.close()
        shutil.rmtree(self.profile, ignore_errors=True)


def png_to_rgb(data):
    """(width, height, RGB bytes, rows top down) of a PNG."""
    with PilImage.open(io.BytesIO(data)) as picture:
        rgb = picture.convert("RGB")
        return rgb.width, rgb.height, rgb.tobytes()


def decode_screenshot(result):
    return png_to_rgb(base64.b64decode(result["data"]))
