# test_walk_views.py -- walking into the table and through it, and the three views with their titles.
import unittest

from glintmere_app import BUILD_DIR, COMBINED_TITLE, ORTHOGONAL_TITLE, E2ETestCase, close_to, perspective_title
from scene_model import WINDOW_HEIGHT, WINDOW_WIDTH, Bitmap, Camera, texture_path, wallpaper_mismatch

HEADER = "**********collision ckeck.**********"
TABLE = "You are hitting the table."


def eye_line(x, y, z):
    return "eyeX=%geyeY=%geyeZ=%g" % (x, y, z)


class WalkAndViewsTest(E2ETestCase):
    def test_walk_into_the_table_then_through_it_and_cycle_the_views(self):
        run = self.start()

        # Fifteen free steps from z = 9 to 1.5; the sixteenth would end inside the table and is taken back.
        mark = run.mark()
        run.key(*["Up"] * 16)
        expected = []
        for step in range(1, 16):
            expected += [HEADER, eye_line(0, 0.63, 9 - 0.5 * step)]
        expected += [HEADER, TABLE, eye_line(0, 0.63, 1.5)]
        walked = run.out.wait_for(
            lambda lines: lines if len(lines) >= len(expected) else None, start=mark, what="sixteen steps"
        )
        self.assertEqual(walked, expected)

        # F10 switches the check off: no header, the table still reported, and the steps stand.
        mark = run.mark()
        run.key("F10")
        run.key(*["Up"] * 6)
        expected = []
        for z in (1.0, 0.5, 0.0, -0.5, -1.0):
            expected += [TABLE, eye_line(0, 0.63, z)]
        expected.append(eye_line(0, 0.63, -1.5))
        walked = run.out.wait_for(
            lambda lines: lines if len(lines) >= len(expected) else None, start=mark, what="six steps through the table"
        )
        self.assertEqual(walked, expected)

        # Past the table the front wall is 8.5 units ahead: its wallpaper lies where that eye predicts.
        wallpaper = Bitmap(texture_path(BUILD_DIR, "wallPaper1"))
        near, far = Camera(eye=(0, 0.63, -1.5)), Camera()
        box = (230, 90, 330, 150)  # room x about -5, y about 3.5 from the new eye
        shot = run.settled_screenshot(
            lambda image: wallpaper_mismatch(image, wallpaper, near, box) < 0.05, "the front wall seen from z = -1.5"
        )
        self.assertGreater(wallpaper_mismatch(shot, wallpaper, far, box), 0.3, "the picture did not move")

        # F11: perspective, orthogonal, combined, each announced in the title.
        run.key("F11")
        run.wait_title(perspective_title(0.5, 0.5, 360))

        # A left-button drag steers the perspective view: x 300 of 1200 and y 120 of 600.
        run.drag((WINDOW_WIDTH // 2, WINDOW_HEIGHT // 2), (300, 120))
        title = run.wait_title(perspective_title(0.25, 0.8, 360))
        self.assertIn("Beta=-45.", title)
        self.assertIn("Distance=-26.48.", title)

        run.key("F11")
        run.wait_title(ORTHOGONAL_TITLE)
        # A drag outside the perspective view leaves the fractions alone: back in it, the title is unchanged.
        run.drag((300, 120), (900, 500))
        run.key("F11")
        run.wait_title(COMBINED_TITLE)
        run.key("F11")
        run.wait_title(perspective_title(0.25, 0.8, 360))

        # The orbit arrows work in the perspective view only: the eye stays put and nothing is printed.
        mark = run.mark()
        run.key("Right", "Right", "Up")
        run.wait_title(perspective_title(0.25, 0.8, 2))
        self.assertEqual(run.out.all()[mark:], [])

        # Home resets everything, the view included.
        run.key("Home")
        run.wait_title(COMBINED_TITLE)
        bulb = Camera().project((0, 4, 0))
        run.settled_screenshot(
            lambda image: close_to(image.pixel(round(bulb[0]), round(bulb[1])), (255, 255, 255)),
            "the lamp bulb from the start position after Home",
        )
        run.key("Escape")
        self.assertEqual(run.wait_exit(), 0)


if __name__ == "__main__":
    unittest.main()
