# test_windows_pictures.py -- the exe under Wine draws the frames the native program draws.
"""The same states shown by the native program and by the exe, both on Mesa's software renderer,
compared with the project's bound for two drawings of one state (picture_compare.py).

The fish and worms come from time-seeded random draws and move every frame, so no two runs show
them alike: the tank's inside is left out of every comparison (scene_model.tank_inside_box, 142 by
93 pixels of the start view's 1200 by 600). Everything else stands still, so each picture is taken
once it no longer changes outside that box."""

import os
import unittest

from PIL import Image as PilImage

from glintmere_app import UNDER_WINE, E2ETestCase, make_workdir
from picture_compare import compare, settling
from scene_model import Camera, tank_inside_box
from xdisplay import wait_until

NATIVE = os.environ.get("GLINTMERE_NATIVE_BIN", "")

# From the start view, one key at a time: each step changes the picture, and the named ones are
# compared. The lighting comes last, as 'o' shows nothing while lighting is off.
STEPS = [
    (None, "the start view"),
    ("F5", "wireframe"),
    ("F5", None),
    ("F9", "textures off"),
    ("F9", None),
    ("p", "lit, every light off"),
    ("o", "lit by the ceiling light"),
]
STATES = [state for _, state in STEPS if state]
MASK = [tank_inside_box(Camera())]


def settled(run, previous, what):
    """The first picture that differs from `previous` outside the tank and is still the same in the
    next picture: the program has drawn what the keys asked for, whole."""
    try:
        return wait_until(settling(run.screenshot, previous, MASK), interval=0.1, what=what)
    except TimeoutError as error:
        raise AssertionError(str(error)) from None


def take_pictures(run, name):
    """The named states of STEPS, as the run draws them."""
    pictures, picture = {}, None
    for key, state in STEPS:
        if key:
            run.key(key)
        picture = settled(run, picture, "%s: %s" % (name, state or "back after " + key))
        if state:
            pictures[state] = picture
    return pictures


@unittest.skipUnless(UNDER_WINE, "compares the Windows build under Wine with the native program")
class ExeAgainstNativeTest(E2ETestCase):
    def setUp(self):
        super().setUp()
        if not NATIVE or not os.access(NATIVE, os.X_OK):
            self.fail(
                "GLINTMERE_NATIVE_BIN must name a native glintmere to compare the exe with (make one with "
                "'cmake --preset release && cmake --build --preset release'): %r" % NATIVE
            )

    def pictures(self, native=None):
        run = self.start("--mute", native=native)
        pictures = take_pictures(run, "native" if native else "exe")
        run.key("Escape")
        self.assertEqual(run.wait_exit(), 0)
        return pictures

    def save_on_failure(self, name, image):
        folder = os.environ.get("GLINTMERE_E2E_ARTIFACTS")
        if folder:
            os.makedirs(folder, exist_ok=True)
            PilImage.frombytes("RGB", (image.width, image.height), image.data).save(os.path.join(folder, name + ".png"))

    def test_the_exe_draws_the_native_frames(self):
        # Both programs read the textures of the Windows build's folder, made by the same generators.
        native = self.pictures(native=NATIVE)
        exe = self.pictures()
        for state in STATES:
            comparison = compare(native[state], exe[state], MASK)
            if not comparison.within_bound():
                self.save_on_failure("native " + state, native[state])
                self.save_on_failure("exe " + state, exe[state])
            self.assertTrue(comparison.within_bound(), "%s: %s" % (state, comparison))

        # The bound catches what a faulty port would show: a switch that does nothing (the lit,
        # textureless and wireframe pictures against the start view) or a state gone wrong.
        start = native["the start view"]
        for state in STATES[1:]:
            comparison = compare(start, exe[state], MASK)
            self.assertFalse(comparison.within_bound(), "%s passes for the start view: %s" % (state, comparison))
        comparison = compare(native["lit by the ceiling light"], exe["lit, every light off"], MASK)
        self.assertFalse(comparison.within_bound(), "the ceiling light makes no difference: %s" % comparison)

    def test_the_bound_catches_a_texture_read_with_red_and_blue_swapped(self):
        # The front wallpaper with its red and blue exchanged, as a reader taking BGR for RGB would
        # show it: only the front wall changes, and the comparison must see it.
        workdir = make_workdir(copy_textures=True)
        path = os.path.join(workdir, "texture", "wallPaper1.bmp")
        with PilImage.open(path) as picture:
            red, green, blue = picture.convert("RGB").split()
        PilImage.merge("RGB", (blue, green, red)).save(path, format="BMP")
        native = self.start("--mute", native=NATIVE)
        expected = settled(native, None, "native: the start view")
        native.key("Escape")
        self.assertEqual(native.wait_exit(), 0)
        exe = self.start("--mute", workdir=workdir)
        swapped = settled(exe, None, "exe with the swapped wallpaper")
        comparison = compare(expected, swapped, MASK)
        self.assertFalse(comparison.within_bound(), "the swapped wallpaper passes: %s" % comparison)


if __name__ == "__main__":
    unittest.main()
