# web_app.py -- the page as a user meets it in Chromium: opened from its own server, driven with keys, the
# pointer and the menu, read through its title, console, canvas and sound.
"""What the page's tests share.

GLINTMERE_SITE_DIR names the built site (build/web/site); tests/e2e is on the module path (ctest puts it
there), for the desktop tests' helpers: the X server, the picture comparison, the scene's geometry and the
menu's labels. Every test gets its own server and its own
Chromium (devtools.py), and reads the page only as a user or the browser sees it: the page's title, the
console panel and the browser's console messages, the canvas's pixels (a screenshot of its box), the HTML
menu, and the cue backend's log and analyser (Module.cues), which stand for the speakers.
"""

import json
import os
import sys
import time
import unittest

from devtools import DEFAULT_TIMEOUT, Chromium, ProtocolError, SiteServer, decode_screenshot
from picture_compare import same_outside, settling
from scene_model import tank_inside_box
from xdisplay import Image, wait_until

SITE_DIR = os.environ.get("GLINTMERE_SITE_DIR", "")
HINT = "Press 'F1' or 'h' for help"

# Keys by the names the tests use: a character stands for itself; the others are the DOM's key names, with
# the Windows virtual-key code Chromium wants beside them.
NAMED_KEYS = {
    **{"F%d" % n: 111 + n for n in range(1, 13)},
    "ArrowLeft": 37,
    "ArrowUp": 38,
    "ArrowRight": 39,
    "ArrowDown": 40,
    "PageUp": 33,
    "PageDown": 34,
    "End": 35,
    "Home": 36,
    "Insert": 45,
    "Delete": 46,
    "Escape": 27,
    "Enter": 13,
    "Tab": 9,
    "Backspace": 8,
}
# What Enter and Tab type.
KEY_TEXT = {"Enter": "\r", "Tab": "\t"}
SHIFT = 8


# Every title the page is given, in order, as the X server's watcher records a window's names: the page's
# own code is left as it is, only the document's title property is observed.
TITLE_WATCH = """(() => {
  const titles = [];
  const own = Object.getOwnPropertyDescriptor(Document.prototype, 'title');
  Object.defineProperty(document, 'title', {
    configurable: true,
    get() { return own.get.call(this); },
    set(value) { if (titles[titles.length - 1] !== value) titles.push(value); own.set.call(this, value); },
  });
  window.glintmereTitleHistory = titles;
})();"""


def virtual_key(character):
    if character.isalpha() and character.isascii():
        return ord(character.upper())
    if character.isdigit():
        return ord(character)
    return 0


class PageRun:
    """The page opened once in a browser, at an address with the options of `query`."""

    def __init__(self, browser, server, query=""):
        self.browser, self.server = browser, server
        self.devtools = browser.devtools
        self.devtools.call("Runtime.enable")
        self.devtools.call("Page.enable")
        self.devtools.call("Page.addScriptToEvaluateOnNewDocument", source=TITLE_WATCH)
        self.url = server.url + ("?" + query if query else "")
        start = self.devtools.event_count()
        self.devtools.call("Page.navigate", url=self.url)
        self.devtools.wait_event("Page.loadEventFired", start=start)

    # -- reading the page ----------------------------------------------------------------------------
    def evaluate(self, expression, await_promise=False):
        """The value of a JavaScript expression in the page."""
        result = self.devtools.call(
            "Runtime.evaluate", expression=expression, returnByValue=True, awaitPromise=await_promise
        )
        if "exceptionDetails" in result:
            raise ProtocolError("%s threw %s" % (expression, result["exceptionDetails"].get("text")))
        return result.get("result", {}).get("value")

    def title(self):
        """The title the page was given, as written: document.title itself collapses runs of spaces."""
        return self.evaluate("document.querySelector('title').textContent")

    def title_history(self):
        return self.evaluate("window.glintmereTitleHistory")

    def panel_lines(self):
        """The lines of the page's console panel, and whether each is an error line."""
        return self.evaluate(
            "Array.from(document.querySelectorAll('#console > div')).map(d => [d.textContent, d.className === 'error'])"
        )

    def console_messages(self, kinds=("log", "error", "warning")):
        """The browser console's messages, each as (kind, text)."""
        messages = []
        for event in self.devtools.events("Runtime.consoleAPICalled"):
            params = event["params"]
            if params.get("type") in kinds:
                texts = [str(a.get("value", a.get("description", ""))) for a in params.get("args", [])]
                messages.append((params["type"], " ".join(texts)))
        return messages

    def program_lines(self):
        """The program's standard output, line by line, as the panel shows it."""
        return [text for text, error in self.panel_lines() if not error]

    def error_lines(self):
        return [text for text, error in self.panel_lines() if error]

    def wait_for(self, predicate, what, timeout=None, interval=0.05):
        try:
            return wait_until(predicate, timeout=timeout, interval=interval, what=what)
        except TimeoutError as error:
            raise AssertionError(
                "%s; the title is %r, the panel ends %r" % (error, self.title(), self.panel_lines()[-8:])
            ) from None

    def wait_running(self):
        """Waits for the program's first frames: its running title and the help hint."""
        self.wait_for(lambda: (self.title() or "").startswith("Glintmere:"), "the program's running title")
        self.wait_for(lambda: HINT in self.program_lines(), "the help hint in the console panel")
        return self

    def wait_lines(self, predicate, start=0, what="console lines"):
        """Waits until predicate(program lines from `start` on) is truthy and returns its value."""
        return self.wait_for(lambda: predicate(self.program_lines()[start:]), what)

    def mark(self):
        return len(self.program_lines())

    def frames_drawn(self):
        """How many frames the program has drawn (the display callback's calls)."""
        return self.evaluate("Module.frameLog ? Module.frameLog.displayMs.length : 0")

    def ended(self):
        """None while the program runs; its exit status (as the page shows it) once it has ended."""
        return self.evaluate("document.body.dataset.ended === undefined ? null : document.body.dataset.ended")

    # -- the canvas -------------------------------------------------------------------------------------
    def canvas_box(self):
        """The canvas's box in the page (CSS pixels), and its own size in pixels."""
        box = self.evaluate(
            "(() => { const c = document.getElementById('canvas'); if (!c || !c.isConnected) return null;"
            " const r = c.getBoundingClientRect();"
            " return [r.left, r.top, r.width, r.height, c.width, c.height]; })()"
        )
        if box is None:
            raise AssertionError("the page shows no canvas")
        return box

    def screenshot(self):
        """The canvas as the page shows it."""
        left, top, width, height, pixels_wide, pixels_high = self.canvas_box()
        if (round(width), round(height)) != (pixels_wide, pixels_high):
            raise AssertionError(
                "the canvas is shown at %gx%g, not its size %dx%d" % (width, height, pixels_wide, pixels_high)
            )
        clip = {"x": left, "y": top, "width": width, "height": height, "scale": 1}
        shot = self.devtools.call("Page.captureScreenshot", format="png", clip=clip, captureBeyondViewport=False)
        return Image(*decode_screenshot(shot))

    def settled_screenshot(self, check, what):
        """The first picture for which check(picture) holds, taken again until it does (a frame or two may
        still show the old state)."""
        last = {}

        def attempt():
            image = self.screenshot()
            last["image"] = image
            return image if check(image) else None

        return self.wait_for(attempt, what, interval=0.1)

    def page_point(self, x, y):
        """Where canvas pixel (x, y) is in the page."""
        left, top, width, height, pixels_wide, pixels_high = self.canvas_box()
        return left + (x + 0.5) * width / pixels_wide, top + (y + 0.5) * height / pixels_high

    # -- input ------------------------------------------------------------------------------------------
    def key(self, *names, delay=0.0):
        """Presses and releases each key: a character, or a DOM key name (NAMED_KEYS)."""
        for name in names:
            if name in NAMED_KEYS:
                text = KEY_TEXT.get(name, "")
                down = {"type": "keyDown" if text else "rawKeyDown", "key": name, "code": name}
                down["windowsVirtualKeyCode"] = NAMED_KEYS[name]
                if text:
                    down.update(text=text, unmodifiedText=text)
            else:
                down = {"type": "keyDown", "key": name, "text": name, "unmodifiedText": name}
                down["windowsVirtualKeyCode"] = virtual_key(name)
                if name.isupper() or name in '~!@#$%^&*()_+{}|:"<>?':
                    down["modifiers"] = SHIFT
            self.devtools.call("Input.dispatchKeyEvent", **down)
            up = {k: v for k, v in down.items() if k not in ("text", "unmodifiedText")}
            up["type"] = "keyUp"
            self.devtools.call("Input.dispatchKeyEvent", **up)
            if delay:
                time.sleep(delay)

    def mouse(self, kind, x, y, button="none", buttons=0, click_count=0):
        """A mouse event at page point (x, y)."""
        self.devtools.call(
            "Input.dispatchMouseEvent", type=kind, x=x, y=y, button=button, buttons=buttons, clickCount=click_count
        )

    def drag(self, start, end, steps=6):
        """A left drag between canvas pixels."""
        x0, y0 = self.page_point(*start)
        x1, y1 = self.page_point(*end)
        self.mouse("mouseMoved", x0, y0)
        self.mouse("mousePressed", x0, y0, "left", 1, 1)
        for i in range(1, steps + 1):
            self.mouse("mouseMoved", x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * i / steps, "left", 1)
        self.mouse("mouseReleased", x1, y1, "left", 0, 1)

    def right_click(self, x, y):
        """The right button pressed and let go at canvas pixel (x, y)."""
        px, py = self.page_point(x, y)
        self.mouse("mouseMoved", px, py)
        self.mouse("mousePressed", px, py, "right", 2, 1)
        self.mouse("mouseReleased", px, py, "right", 0, 1)

    # -- the menu ---------------------------------------------------------------------------------------
    def menu_shown(self):
        """The open menu's entries as [label, sub-entries or None], or None when no menu is open."""
        return self.evaluate(
            "(() => { const top = document.querySelector('body > ul.menu'); if (!top) return null;"
            " const read = ul => Array.from(ul.children).map(li => [li.dataset.label,"
            "   li.querySelector(':scope > ul.menu') ? read(li.querySelector(':scope > ul.menu')) : null]);"
            " return read(top); })()"
        )

    def entry_point(self, path):
        """The page point at the middle of the entry `path` names (labels from the top menu down), if shown."""
        script = (
            "(() => { let ul = document.querySelector('body > ul.menu'); let li = null;"
            " for (const label of %s) { if (!ul) return null;"
            "   li = Array.from(ul.children).find(e => e.dataset.label === label); if (!li) return null;"
            "   ul = li.querySelector(':scope > ul.menu'); }"
            " const r = li.getBoundingClientRect(); if (r.width === 0 || r.height === 0) return null;"
            " const hit = document.elementFromPoint(r.left + r.width / 2, r.top + r.height / 2);"
            " if (!hit || !li.contains(hit)) return null;"
            " return [r.left + Math.min(40, r.width / 2), r.top + r.height / 2]; })()" % json.dumps(list(path))
        )
        return self.evaluate(script)

    def open_menu(self, at=(60, 60)):
        self.right_click(*at)
        return self.wait_for(self.menu_shown, "the menu")

    def choose(self, *path, at=(60, 60)):
        """Opens the menu on the canvas and goes through its labels: the pointer rests on each sub-menu's
        entry until it opens, and the last entry is clicked."""
        self.open_menu(at)
        for depth in range(len(path)):
            point = self.wait_for(lambda: self.entry_point(path[: depth + 1]), "the entry %r" % (path[: depth + 1],))
            self.mouse("mouseMoved", *point)
            if depth + 1 == len(path):
                self.mouse("mousePressed", *point, "left", 1, 1)
                self.mouse("mouseReleased", *point, "left", 0, 1)
        self.wait_for(lambda: self.menu_shown() is None, "the menu to close")

    # -- sound --------------------------------------------------------------------------------------------
    def cue_log(self):
        """The cues the program asked for, as the backend logged them (file, mode, sounded, ...)."""
        return self.evaluate("Module.cues ? Module.cues.log : []")

    def sound_level(self):
        """The level of what sounds now: the root mean square of the analyser's last samples."""
        return self.evaluate("Module.cues ? Module.cues.level() : 0")

    def audio_state(self):
        return self.evaluate("Module.cues ? Module.cues.state() : 'none'")

    def note_shown(self, element):
        return self.evaluate("!document.getElementById(%s).hidden" % json.dumps(element))


def tank_mask(camera):
    """The boxes that may change while nothing else does: the tank's inside (tank_inside_box), where the fish,
    worms and water move, and the space above it up to 6 units, where a grown fish rises to leave (to 5, the
    surface it aims at, and its body above that) and the waves follow it."""
    return [tank_inside_box(camera, top=6.0)]


def differences(a, b, masks):
    """The pixels of two pictures of one size that differ outside the masks: how many, and the box around them."""
    count, box = 0, None
    for y in range(a.height):
        spans = [(x0, x1) for x0, y0, x1, y1 in masks if y0 <= y < y1]
        row = a.data[y * a.width * 3 : (y + 1) * a.width * 3]
        other = b.data[y * a.width * 3 : (y + 1) * a.width * 3]
        if row == other:
            continue
        for x in range(a.width):
            if row[3 * x : 3 * x + 3] != other[3 * x : 3 * x + 3] and not any(x0 <= x < x1 for x0, x1 in spans):
                count += 1
                box = (x, y, x + 1, y + 1) if box is None else (min(box[0], x), box[1], max(box[2], x + 1), y + 1)
    return count, box


def save_pictures(name, **images):
    """Writes the pictures to GLINTMERE_E2E_ARTIFACTS, when it names a folder, for a failure to be looked at."""
    folder = os.environ.get("GLINTMERE_E2E_ARTIFACTS")
    if not folder:
        return
    from PIL import Image as PilImage

    os.makedirs(folder, exist_ok=True)
    for label, image in images.items():
        path = os.path.join(folder, "%s %s.png" % (name, label))
        PilImage.frombytes("RGB", (image.width, image.height), image.data).save(path)


def wait_same(run, reference, masks, what):
    """Waits for the picture to be `reference` again outside the masks; on failure says where it is not."""
    last = {}

    def attempt():
        last["image"] = run.screenshot()
        return last["image"] if same_outside(reference, last["image"], masks) else None

    try:
        return wait_until(attempt, interval=0.1, what=what)
    except TimeoutError as error:
        count, box = differences(reference, last["image"], masks)
        save_pictures(what, expected=reference, shown=last["image"])
        raise AssertionError("%s: %d pixels still differ outside %s, within %s" % (error, count, masks, box)) from None


def settled_change(run, previous, masks, what):
    """The first picture that differs from `previous` outside the masks and is the same in the picture after
    it: the program has drawn what was asked for, whole."""
    return run.wait_for(settling(run.screenshot, previous, masks), what, interval=0.1)


class WebTestCase(unittest.TestCase):
    """Gives each test its own server and Chromium; on failure the browser's log is shown."""

    browser_size = (1500, 1000)
    browser_flags = ()
    renderer = "swiftshader"

    def setUp(self):
        if not SITE_DIR or not os.path.isfile(os.path.join(SITE_DIR, "index.html")):
            self.fail("GLINTMERE_SITE_DIR does not name the built site (make web): %r" % SITE_DIR)
        self.server = SiteServer(SITE_DIR)
        self.addCleanup(self.server.close)
        self.browser = self.make_browser()

    def make_browser(self):
        """The test's browser: headless here; a test in a window makes its own."""
        return self.start_browser()

    def start_browser(self, display=None, flags=()):
        browser = Chromium(
            *self.browser_size, display=display, renderer=self.renderer, extra_flags=(*self.browser_flags, *flags)
        )
        self.addCleanup(browser.close)
        self.addCleanup(self._show_log_on_failure, browser)
        return browser

    def _show_log_on_failure(self, browser):
        outcome = getattr(self, "_outcome", None)
        failed = outcome is not None and not outcome.success
        if failed:
            sys.stderr.write("Chromium's log, last lines:\n%s\n" % browser.log())

    def open(self, query="", wait=True, browser=None):
        run = PageRun(browser or self.browser, self.server, query)
        if wait:
            run.wait_running()
        return run


__all__ = ["DEFAULT_TIMEOUT", "HINT", "PageRun", "WebTestCase", "wait_until"]
