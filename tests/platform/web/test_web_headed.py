# test_web_headed.py -- Chromium in a window on Xvfb, pressed by real X keys: F1, F5, F11 and F12 stay with the
# program, and the right button opens the program's menu, not the browser's.
"""Keys sent over the DevTools protocol never reach a browser's own shortcuts, so only real key presses can
show that the page keeps them: xdotool presses them on the X server Chromium's window is on (XTEST), as a
keyboard would. What the browser would have done is looked for where it would show: a help tab (F1), a
reload (F5), the window made full screen (F11), developer tools beside or over the page (F12), a context menu
window (the right button)."""

import unittest

from glintmere_app import perspective_title
from scene_model import Camera
from test_startup import HELP_HEADER
from web_app import WebTestCase, settled_change, tank_mask
from xdisplay import XServer

SCREEN = (1600, 1000)


class HeadedBrowserTest(WebTestCase):
    browser_size = (1560, 960)

    def make_browser(self):
        self.x = XServer(*SCREEN)
        self.addCleanup(self.x.close)
        return self.start_browser(display=self.x.name)

    def browser_window(self):
        """Chromium's shown window: the one of the size it was asked for (it names itself in _NET_WM_NAME only)."""
        for window in self.x.top_windows():
            geometry = self.x.geometry(window)
            if self.x.viewable(window) and geometry and tuple(geometry[2:]) == self.browser_size:
                return window
        return None

    def pages(self, run):
        return [t for t in run.browser.targets() if t.get("type") == "page"]

    def test_f1_f5_f11_and_f12_stay_with_the_program(self):
        run = self.open()
        window = run.wait_for(self.browser_window, "Chromium's window on the X server")
        geometry = self.x.geometry(window)
        # The pointer over the canvas and a click there: the page has the keyboard. A click without a drag is
        # nothing to the program.
        x, y = run.page_point(600, 300)
        self.x.xdotool("mousemove", "--window", window, 10, 10)
        self.x.xdotool("windowfocus", "--sync", window)
        top = run.evaluate("window.outerHeight - window.innerHeight")
        self.x.xdotool("mousemove", "--window", window, round(x), round(y + top))
        self.x.xdotool("click", 1)
        run.evaluate(
            "window.glintmereKeys = []; window.addEventListener('keydown',"
            " e => glintmereKeys.push([e.key, e.defaultPrevented]))"
        )
        viewport = run.evaluate("[window.innerWidth, window.innerHeight]")
        shown = [w for w in self.x.top_windows() if self.x.viewable(w)]
        start = run.screenshot()

        # F1: the program's help, and no help page of the browser's.
        mark = run.mark()
        self.x.xdotool("key", "F1")
        run.wait_lines(lambda lines: lines[:1] == [HELP_HEADER], mark, "the help after F1")
        # F5: wireframe, and no reload (the page's own state, the keys seen so far, is still there).
        self.x.xdotool("key", "F5")
        settled_change(run, start, tank_mask(Camera()), "the wireframe after F5")
        # F11: the perspective view, and the window keeps its size.
        self.x.xdotool("key", "F11")
        run.wait_for(lambda: run.title() == perspective_title(0.5, 0.5, 360), "the perspective view after F11")
        # F12: no developer tools, docked in the window or in one of their own.
        self.x.xdotool("key", "F12")
        run.wait_for(lambda: len(run.evaluate("glintmereKeys")) == 4, "the four keys in the page")

        self.assertEqual(run.evaluate("glintmereKeys"), [["F1", True], ["F5", True], ["F11", True], ["F12", True]])
        self.assertEqual(len(self.pages(run)), 1, "a page the browser opened: %r" % self.pages(run))
        self.assertEqual(self.x.geometry(window), geometry, "the window changed size")
        self.assertEqual(run.evaluate("[window.innerWidth, window.innerHeight]"), viewport, "the page was resized")
        self.assertEqual(
            [t for t in run.browser.targets() if "devtools" in t.get("url", "")], [], "developer tools opened"
        )
        self.assertEqual([w for w in self.x.top_windows() if self.x.viewable(w)], shown, "a window opened")
        self.assertIsNone(run.evaluate("document.fullscreenElement"))

        # The right button: the program's menu in the page, and no menu window of the browser's.
        px, py = run.page_point(200, 200)
        self.x.xdotool("mousemove", "--window", window, round(px), round(py + top))
        self.x.xdotool("click", 3)
        run.wait_for(run.menu_shown, "the program's menu")
        self.assertEqual(self.x.viewable_popups(), [], "a window of the browser's own menu")


if __name__ == "__main__":
    unittest.main()
