# test_web_pointer.py -- the pointer over the canvas: a left drag steers the perspective orbit, in the canvas's
# own pixels whatever size the page shows it at.
import unittest

from glintmere_app import ORTHOGONAL_TITLE, perspective_title
from scene_model import WINDOW_HEIGHT, WINDOW_WIDTH
from web_app import WebTestCase


class PointerTest(WebTestCase):
    def test_a_left_drag_steers_the_orbit(self):
        run = self.open()
        run.key("F11")
        run.wait_for(lambda: run.title() == perspective_title(0.5, 0.5, 360), "the perspective view")
        start = run.screenshot()

        # x 300 of 1200 and y 120 of 600, as on the desktop: the title and the picture follow.
        run.drag((WINDOW_WIDTH // 2, WINDOW_HEIGHT // 2), (300, 120))
        title = perspective_title(0.25, 0.8, 360)
        run.wait_for(lambda: run.title() == title, "the title %r" % title)
        self.assertIn("Beta=-45.", title)
        run.settled_screenshot(lambda image: image.data != start.data, "the steered view")

        # A drag outside the canvas still steers it, as X keeps the pointer for the pressed button.
        run.drag((300, 120), (WINDOW_WIDTH + 60, -30))
        title = run.wait_for(lambda: run.title() if "Mouse at (0.250, 0.800)" not in run.title() else None, "a move")
        self.assertTrue(title.startswith("Glintmere: Mouse at (1.0"), title)

        # The page shown at half its size: the drag is still read in the canvas's pixels.
        run.evaluate("document.getElementById('canvas').style.width = '600px'")
        run.drag((600, 300), (900, 450))
        title = perspective_title(0.75, 0.25, 360)
        run.wait_for(lambda: run.title() == title, "the title %r at half size" % title)

        # Outside the perspective view a drag leaves the fractions alone.
        run.key("F11")
        run.wait_for(lambda: run.title() == ORTHOGONAL_TITLE, "the orthogonal view")
        run.drag((300, 120), (900, 500))
        run.key("F11", "F11")
        run.wait_for(lambda: run.title() == title, "the title unchanged by the drag")


if __name__ == "__main__":
    unittest.main()
