# test_web_fullscreen.py -- full screen from the page's button (F11 is the program's), and the program's own
# request, which a browser grants only in answer to a click.
import unittest

from glintmere_app import COMBINED_TITLE
from web_app import WebTestCase


class FullScreenTest(WebTestCase):
    def click_button(self, run, element):
        x, y = run.evaluate(
            "(() => { const r = document.getElementById(%r).getBoundingClientRect();"
            " return [r.left + r.width / 2, r.top + r.height / 2]; })()" % element
        )
        run.mouse("mouseMoved", x, y)
        run.mouse("mousePressed", x, y, "left", 1, 1)
        run.mouse("mouseReleased", x, y, "left", 0, 1)

    def canvas_size(self, run):
        return run.evaluate("[document.getElementById('canvas').width, document.getElementById('canvas').height]")

    def test_the_button_shows_the_program_full_screen(self):
        run = self.open()
        screen = run.evaluate("[screen.width, screen.height]")
        self.click_button(run, "full-screen")
        run.wait_for(lambda: run.evaluate("document.fullscreenElement && document.fullscreenElement.id"), "full screen")
        # The window takes the screen's size and the program draws into all of it.
        run.wait_for(lambda: self.canvas_size(run) == screen, "the canvas at the screen's size %r" % (screen,))
        frames = run.frames_drawn()
        run.wait_for(lambda: run.frames_drawn() > frames + 3, "frames at full screen")
        # F11 stays the program's: the view changes, the page stays full screen.
        run.key("F11")
        run.wait_for(lambda: run.title().startswith("Glintmere: Mouse at"), "the perspective view")
        self.assertEqual(run.evaluate("document.fullscreenElement.id"), "stage")

        # Leaving full screen gives the window its size back.
        run.evaluate("document.exitFullscreen()", await_promise=True)
        run.wait_for(lambda: self.canvas_size(run) == [1200, 600], "the canvas back at 1200 by 600")
        self.assertIsNone(run.ended())

    def test_the_programs_own_request_needs_a_click(self):
        run = self.open("fullscreen")
        run.wait_for(lambda: run.title() == COMBINED_TITLE, "the running title")
        # Asked for at start, before any click: the browser refuses, and the page says how to go full screen.
        run.wait_for(lambda: run.note_shown("screen-note"), "the note on full screen")
        self.assertIsNone(run.evaluate("document.fullscreenElement"))
        self.click_button(run, "full-screen")
        run.wait_for(lambda: run.evaluate("document.fullscreenElement !== null"), "full screen after the click")
        run.wait_for(lambda: not run.note_shown("screen-note"), "the note gone")


if __name__ == "__main__":
    unittest.main()
