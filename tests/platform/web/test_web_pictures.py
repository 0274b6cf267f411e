# test_web_pictures.py -- the page draws the native program's frames: WebGL through the GL ES 2 layer against
# Mesa's fixed function.
"""The same states shown by the native program (on its own Xvfb) and by the page (in headless Chromium),
compared with the project's bound for two drawings of one state (picture_compare.py).

The fish and worms come from time-seeded draws and move every frame, so the tank's inside, with the strip
above it that the waves reach, is left out of every comparison (web_app.tank_mask); everything else stands
still, so each picture is taken once it no longer changes outside that box.

Drawn by Mesa's llvmpipe under Chromium's ANGLE, the rasteriser of the native frames, every state is held to
the bound: what is compared is then the page and the GL ES 2 layer, not two rasterisers. SwiftShader, which
the other tests draw with, rasterises on another sub-pixel grid than llvmpipe: where a far, tilted
floor or ceiling packs several texels into a pixel, the texel edges it samples move by a few levels in 4 to 6%
of the pixels, and an edge that runs through the pixels' centres (the table's top, lit white above its blue
front) falls on the next row. It is held to the bound in the states that do not hinge on that: textures off,
and lit with every light off."""

import os
import unittest

from native_frames import native_pictures
from picture_compare import compare
from PIL import Image as PilImage
from scene_model import Camera
from web_app import WebTestCase, settled_change, tank_mask

MASK = tank_mask(Camera())

# From the start view, one key at a time; each step changes the picture, and the named ones are compared.
STEPS = [
    (None, "the start view"),
    ("F5", "wireframe"),
    ("F5", None),
    ("F9", "textures off"),
    ("F9", None),
    ("p", "lit, every light off"),
    ("[", None),
    ("]", None),
    ("+", "lit by every light"),
]
STATES = [state for _, state in STEPS if state]


def page_pictures(test, steps, masks):
    """The page's picture of each named state of `steps`, as native_pictures takes the native program's."""
    run = test.open("mute")
    pictures, picture = {}, None
    for key, state in steps:
        if key:
            run.key(key)
        picture = settled_change(run, picture, masks, "the page: %s" % (state or "after " + key))
        if state:
            pictures[state] = picture
    return pictures


def save_on_failure(name, image):
    folder = os.environ.get("GLINTMERE_E2E_ARTIFACTS")
    if folder:
        os.makedirs(folder, exist_ok=True)
        PilImage.frombytes("RGB", (image.width, image.height), image.data).save(os.path.join(folder, name + ".png"))


_native = {}


def native_once():
    """The native states of STEPS, taken once for the module's tests."""
    if not _native:
        _native.update(native_pictures(STEPS, MASK))
    return _native


class PageAgainstNativeTest(WebTestCase):
    renderer = "llvmpipe"

    def test_the_page_draws_the_native_frames(self):
        native = native_once()
        page = page_pictures(self, STEPS, MASK)
        for state in STATES:
            comparison = compare(native[state], page[state], MASK)
            if not comparison.within_bound():
                save_on_failure("native " + state, native[state])
                save_on_failure("page " + state, page[state])
            self.assertTrue(comparison.within_bound(), "%s: %s" % (state, comparison))

        # The bound sees what a faulty page would show: a switch that does nothing, or another state.
        for state in STATES[1:]:
            comparison = compare(native["the start view"], page[state], MASK)
            self.assertFalse(comparison.within_bound(), "%s passes for the start view: %s" % (state, comparison))
        comparison = compare(native["lit by every light"], page["lit, every light off"], MASK)
        self.assertFalse(comparison.within_bound(), "the lamps make no difference: %s" % comparison)


class SwiftShaderAgainstNativeTest(PageAgainstNativeTest):
    renderer = "swiftshader"

    def test_the_page_draws_the_native_frames(self):
        native = native_once()
        page = page_pictures(self, STEPS, MASK)
        for state in STATES:
            comparison = compare(native[state], page[state], MASK)
            # Every figure is shown, the ones held to the bound and the others.
            print("SwiftShader, %s: %s" % (state, comparison))
            if state in ("textures off", "lit, every light off"):
                if not comparison.within_bound():
                    save_on_failure("native " + state, native[state])
                    save_on_failure("swiftshader " + state, page[state])
                self.assertTrue(comparison.within_bound(), "%s: %s" % (state, comparison))


if __name__ == "__main__":
    unittest.main()
