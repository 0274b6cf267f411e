# test_menu.py -- the right-button menu: the aquarium's worms, the view volume, the reset and the exit.
import unittest

from glintmere_app import COMBINED_TITLE, E2ETestCase, close_to, perspective_title
from scene_model import Camera, worm_column_box

# Seen from the front, the 64 worm slots stand in 16 columns of four, one behind the other.
COLUMNS = [(cx, cy) for cx in range(4) for cy in range(4)]
# "3.Add fifteen worms" on an empty tank fills slots 1, 9, ..., 50: the two middle rows of columns.
REFILLED = {(cx, cy) for cx in range(4) for cy in (1, 2)}
# A worm's two eyes are 10-pixel black points; a fish's eye is a speck of a few pixels.
WORM_EYE_PIXELS = 20


def columns_with_worms(image, camera):
    shown = set()
    for column in COLUMNS:
        black = sum(1 for c in image.patch(*worm_column_box(camera, column)) if c == (0, 0, 0))
        if black >= WORM_EYE_PIXELS:
            shown.add(column)
    return shown


class MenuTest(E2ETestCase):
    def test_aquarium_entries_view_volume_reset_and_exit(self):
        run = self.start()

        # Manual mode, so eaten worms are not replaced behind the test's back.
        run.choose("3.Glintmere", "1.Automatic/Manual")
        # Lower the eye to the worms' height and zoom in to a 10 degree field of view.
        mark = run.mark()
        run.key(*["v"] * 24, delay=10)
        lines = run.out.wait_for(
            lambda got: got if sum(1 for l in got if l.startswith("eyeX=")) >= 24 else None,
            start=mark,
            what="24 eye lines",
        )
        self.assertEqual(lines[-1], "eyeX=0eyeY=-0.57eyeZ=9")
        run.key(*["F2"] * 10, delay=10)
        camera = Camera(eye=(0, 0.63 - 24 * 0.05, 9), fov=10)

        run.choose("3.Glintmere", "4.Clear worm")
        run.settled_screenshot(lambda image: not columns_with_worms(image, camera), "an empty tank")

        run.choose("3.Glintmere", "3.Add fifteen worms")

        def refilled(image):
            shown = columns_with_worms(image, camera)
            # Fish may cover or eat a few worms, but none may show outside the refilled rows.
            return len(shown & REFILLED) >= 6 and not shown - REFILLED

        run.settled_screenshot(refilled, "worms in the two middle rows only")
        # The main menu has ten entries and the aquarium menu four, all of one height.
        self.assertEqual(len(run.menu_entry_heights), 1, run.menu_entry_heights)

        # "7.Change view volume" in the perspective view: near 6 and far 15 put the camera 10.5 back.
        run.key("F11")
        run.wait_title(perspective_title(0.5, 0.5, 360))
        run.choose("7.Change view volume")
        run.wait_title(perspective_title(0.5, 0.5, 360, near=6.0, far=15.0))

        # "9.Reset": the combined view from the start position, with a 60 degree view: the bulb is back.
        run.choose("9.Reset")
        run.wait_title(COMBINED_TITLE)
        start = Camera()
        bulb = tuple(round(v) for v in start.project((0, 4, 0)))
        wall = (455, 225)  # the front wall, 19 units ahead
        run.settled_screenshot(
            lambda image: close_to(image.pixel(*bulb), (255, 255, 255)) and image.pixel(*wall) != (0, 0, 0),
            "the start view after the reset",
        )

        # In the combined view the far plane of 15 cuts the front wall away; 20 brings it back.
        run.choose("7.Change view volume")
        run.settled_screenshot(lambda image: image.pixel(*wall) == (0, 0, 0), "the front wall beyond the far plane")
        run.choose("7.Change view volume")
        run.settled_screenshot(lambda image: image.pixel(*wall) != (0, 0, 0), "the front wall inside 20 units")

        run.choose("10.Exit")
        self.assertEqual(run.wait_exit(), 0)


if __name__ == "__main__":
    unittest.main()
