# test_rendering.py -- textures and lighting switched from the keyboard, as seen on the front wall.
import unittest

from glintmere_app import BUILD_DIR, E2ETestCase, close_to, float_colour
from scene_model import FRONT_WALL_COLOUR, Bitmap, Camera, texture_path, wallpaper_mismatch

# Left and right of the picture and above the table, on the front wall seen from the start position.
WALL_BOXES = [(430, 200, 480, 250), (720, 200, 770, 250)]
WALL_POINTS = [(455, 225), (745, 225), (420, 360)]


def wall_colours(image):
    return [image.pixel(x, y) for x, y in WALL_POINTS]


class TexturesAndLightingTest(E2ETestCase):
    def test_f9_and_the_lighting_keys_change_the_front_wall(self):
        run = self.start()
        wallpaper = Bitmap(texture_path(BUILD_DIR, "wallPaper1"))
        camera = Camera()
        plain = float_colour(FRONT_WALL_COLOUR)

        def textured(image):
            return all(wallpaper_mismatch(image, wallpaper, camera, box) < 0.05 for box in WALL_BOXES)

        def uniformly(expected, tolerance=3):
            return lambda image: all(close_to(c, expected, tolerance) for c in wall_colours(image))

        # Textures on at start: the wallpaper, texel for texel where the camera predicts it.
        run.settled_screenshot(textured, "the wallpaper on the front wall")

        # F9: the bare box face in its own colour; F9 again: the wallpaper back.
        run.key("F9")
        shot = run.settled_screenshot(uniformly(plain), "the plain front wall %s" % (plain,))
        self.assertFalse(textured(shot))
        run.key("F9")
        run.settled_screenshot(textured, "the wallpaper back after a second F9")

        # Lighting, with textures off for plain colours. 'p': lighting on with every light off leaves
        # the dim global ambient, 0.2 of the face colour.
        run.key("F9")
        run.settled_screenshot(uniformly(plain), "the plain front wall again")
        run.key("p")
        dim = float_colour([0.2 * c for c in FRONT_WALL_COLOUR])
        run.settled_screenshot(uniformly(dim), "the dimly lit wall %s" % (dim,))

        # 'o': the ceiling light burns and the ambient goes bright (0.9), so the wall is at least 0.72 of
        # its colour and the ceiling light adds to it.
        run.key("o")
        bright_floor = float_colour([0.72 * c for c in FRONT_WALL_COLOUR])

        def bright(image):
            return all(all(a >= b - 2 for a, b in zip(c, bright_floor)) for c in wall_colours(image))

        shot = run.settled_screenshot(bright, "the wall under the ceiling light, at least %s" % (bright_floor,))
        for colour in wall_colours(shot):
            self.assertGreater(colour[0], colour[2], "the wall keeps its yellowish white: %s" % (colour,))

        # 'o' again drops back to the dim ambient; 'p' again turns lighting off: the unlit colour.
        run.key("o")
        run.settled_screenshot(uniformly(dim), "the dim wall after the second o")
        run.key("p")
        run.settled_screenshot(uniformly(plain), "the unlit wall after the second p")
        run.key("q")
        self.assertEqual(run.wait_exit(), 0)


if __name__ == "__main__":
    unittest.main()
