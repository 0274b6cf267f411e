# test_fullscreen.py -- --fullscreen: the window covers the screen from the first frame, and the
# program behaves as in a window of that size, the reset's 1200 by 600 viewport included.
import os
import unittest

from glintmere_app import HINT, UNDER_WINE, E2ETestCase, make_workdir
from scene_model import WINDOW_HEIGHT, WINDOW_WIDTH
from xdisplay import read_png, wait_until


def lit(pixels):
    return sum(1 for p in pixels if max(p) > 24)


def known_failure_under_wine(test):
    """A fault the exe shows under Wine, kept in view: the test runs as it is and must fail there; once
    it passes, unittest counts the run as unsuccessful and this mark has to go."""
    return unittest.expectedFailure(test) if UNDER_WINE else test


class FullScreenTest(E2ETestCase):
    screen = (1400, 900)  # larger than the 1200 by 600 window, and of another shape

    # freeglut's Win32 full-screen call resizes in two passes; under Wine the first frame is drawn
    # between them, at 1408 by 912 on a 1400 by 900 screen (from the second frame on it fits).
    @known_failure_under_wine
    def test_the_first_frame_covers_the_screen(self):
        workdir = make_workdir()
        run = self.start(
            "--fullscreen", "--mute", "--frames", "1", "--screenshot", "first.png", workdir=workdir, wait=False
        )
        self.assertEqual(run.wait_exit(), 0, run.err.all())
        self.assertEqual(run.out.all(), [HINT])
        shot = read_png(os.path.join(workdir, "first.png"))
        self.assertEqual((shot.width, shot.height), self.screen)

    def test_a_reset_gives_the_1200_by_600_viewport_as_in_any_window(self):
        run = self.start("--fullscreen", "--mute", wait=False)
        run.window = wait_until(
            lambda: next((w for w in self.x.windows_named("Furniture") if len(self.x.title_history(w)) > 1), None),
            what="the window's first running title",
        )
        # Under Wine the second of freeglut's two passes can land after the title's first change (see
        # above): the window is given a moment to reach the screen's size, and must.
        full = (0, 0) + self.screen
        try:
            wait_until(lambda: self.x.geometry(run.window) == full, timeout=5, what="the window to cover the screen")
        except TimeoutError:
            pass
        self.assertEqual(self.x.geometry(run.window), full)
        run.focus()
        width, height = self.screen
        top_band = (0, 0, width, height - WINDOW_HEIGHT)  # above a viewport anchored bottom left
        right_band = (WINDOW_WIDTH, 0, width, height)

        def picture():
            image = self.x.capture(run.window)
            self.assertEqual((image.width, image.height), self.screen)
            return image

        before = picture()
        self.assertGreater(lit(before.patch(*top_band)), 0.5 * width * (height - WINDOW_HEIGHT))
        self.assertGreater(lit(before.patch(*right_band)), 0.5 * (width - WINDOW_WIDTH) * height)

        run.key("Home")
        after = wait_until(
            lambda: (lambda image: image if lit(image.patch(*top_band)) == 0 else None)(picture()),
            what="the picture confined to the reset's viewport",
        )
        self.assertEqual(lit(after.patch(*right_band)), 0)
        self.assertGreater(
            lit(after.patch(0, height - WINDOW_HEIGHT, WINDOW_WIDTH, height)), 0.5 * WINDOW_WIDTH * WINDOW_HEIGHT
        )
        self.assertEqual(self.x.geometry(run.window), (0, 0) + self.screen)


if __name__ == "__main__":
    unittest.main()
