# test_web_keys.py -- every group of the program's keys reaches it in the page, as on the desktop.
"""Keys sent over the DevTools protocol reach the page's listeners as real key events (a browser's own
shortcuts are the headed test's, test_web_headed.py). Each group is seen doing its command: eye keys and
arrows print the eye's position, the light keys change the picture (and the second press, or the other
spelling of the same key, brings it back), F2 to F9 leave the native program's picture of the same key, F11
and the orbit keys change the title, Home resets, Insert drops a worm with its cue."""

import math
import unittest

from glintmere_app import COMBINED_TITLE, ORTHOGONAL_TITLE, perspective_title
from scene_model import Camera
from test_walk_views import HEADER, eye_line
from native_frames import native_pictures
from picture_compare import compare
from test_web_pictures import page_pictures
from web_app import WebTestCase, settled_change, tank_mask, wait_same

START_MASK = tank_mask(Camera())


class KeyGroupsTest(WebTestCase):
    def changes_and_back(self, run, start, keys, masks=START_MASK, back=None):
        """Presses keys[0] and waits for a changed picture, then keys[1] (the same key again, or its other
        spelling) and waits for the start picture: each returns the changed picture."""
        run.key(keys[0])
        changed = settled_change(run, start, masks, "the picture after %s" % keys[0])
        run.key(keys[1])
        wait_same(run, start, masks, "the picture back after %s" % keys[1])
        return changed

    def test_eye_keys_and_arrows_walk_the_eye(self):
        run = self.open()
        steps = [
            ("t", [HEADER, eye_line(0, 0.68, 9)]),
            ("T", [HEADER, eye_line(0, 0.73, 9)]),
            ("v", [HEADER, eye_line(0, 0.68, 9)]),
            ("V", [HEADER, eye_line(0, 0.63, 9)]),
            ("ArrowUp", [HEADER, eye_line(0, 0.63, 8.5)]),
            ("ArrowDown", [HEADER, eye_line(0, 0.63, 9)]),
            ("ArrowLeft", [HEADER, eye_line(-0.5, 0.63, 9)]),
            ("ArrowRight", [HEADER, eye_line(0, 0.63, 9)]),
        ]
        for key, expected in steps:
            mark = run.mark()
            run.key(key)
            lines = run.wait_lines(lambda got: got if len(got) >= len(expected) else None, mark, "the eye after " + key)
            self.assertEqual(lines, expected, key)

        # f and F turn the heading 20 degrees right, g and G back: a step forward goes the new way (the
        # program turns degrees with 3.14 for pi).
        turned = 20 * 3.14 / 180
        for turn, back in (("f", "g"), ("F", "G")):
            mark = run.mark()
            run.key(turn, "ArrowUp")
            expected = [HEADER, eye_line(0.5 * math.sin(turned), 0.63, 9 - 0.5 * math.cos(turned))]
            lines = run.wait_lines(lambda got: got if len(got) >= 2 else None, mark, "a step after " + turn)
            self.assertEqual(lines, expected, turn)
            mark = run.mark()
            run.key("ArrowDown", back)
            lines = run.wait_lines(lambda got: got if len(got) >= 2 else None, mark, "a step back, then " + back)
            self.assertEqual(lines, [HEADER, eye_line(0, 0.63, 9)], back)

        # F10 turns the collision check off: the steps print the eye alone.
        mark = run.mark()
        run.key("F10", "t")
        lines = run.wait_lines(lambda got: got if got else None, mark, "the eye without the check")
        self.assertEqual(lines, [eye_line(0, 0.68, 9)])

    def test_light_keys(self):
        run = self.open()
        start = run.screenshot()
        # p and P switch lighting; with it on, o and O the ceiling light, [ and { the blue lamp, ] and } the red
        # one, + and = the green one.
        lit = self.changes_and_back(run, start, ("p", "P"))
        run.key("p")
        wait_same(run, lit, START_MASK, "lit again")
        for keys in (("o", "O"), ("[", "{"), ("]", "}"), ("+", "=")):
            self.changes_and_back(run, lit, keys)

    def test_browser_keys_are_kept_from_the_browser(self):
        run = self.open()
        # What the browser would do with F1 (help), F5 (reload), F11 (full screen) and F12 (developer tools)
        # is cancelled on the page; a listener after the page's sees each key's default prevented.
        run.evaluate(
            "window.glintmereKeys = []; window.addEventListener('keydown',"
            " e => glintmereKeys.push([e.key, e.defaultPrevented]))"
        )
        run.key("F1", "F5", "F11", "F12")
        run.wait_for(lambda: len(run.evaluate("glintmereKeys")) == 4, "the four keys")
        self.assertEqual(run.evaluate("glintmereKeys"), [["F1", True], ["F5", True], ["F11", True], ["F12", True]])
        # F5 reached the program (wireframe) and did not reload the page: the help of F1 is still there.
        self.assertIn("--------********* Help Menu *********--------", run.program_lines())

    def test_orbit_keys_home_and_insert(self):
        run = self.open()
        start = run.screenshot()
        run.key("F11")
        run.wait_for(lambda: run.title() == perspective_title(0.5, 0.5, 360), "the perspective view")
        # The arrows turn the orbit a degree; r and R start it turning one way, l and L the other, s and S stop it.
        run.key("ArrowRight", "ArrowRight", "ArrowLeft")
        run.wait_for(lambda: run.title() == perspective_title(0.5, 0.5, 1), "the orbit a degree on")

        def alpha():
            title = run.title()
            return int(title.split("Alpha=")[1].split(".")[0])

        for turn, stop, sign in (("r", "s", 1), ("R", "S", 1), ("l", "s", -1), ("L", "S", -1)):
            before = alpha()
            run.key(turn, turn)
            run.wait_for(lambda: (alpha() - before) * sign % 360 > 20, "the orbit turning after " + turn)
            run.key(stop)
            # Stopped, the angle stays put over many frames.
            frames = run.frames_drawn()
            run.wait_for(lambda: run.frames_drawn() > frames + 2, "frames after " + stop)
            stopped, frames = alpha(), run.frames_drawn()
            run.wait_for(lambda: run.frames_drawn() > frames + 10, "ten more frames")
            self.assertEqual(alpha(), stopped, stop)

        # Home resets the scene: the start view.
        run.key("Home")
        run.wait_for(lambda: run.title() == COMBINED_TITLE, "the combined view after Home")
        wait_same(run, start, START_MASK, "the start view after Home")

        # Insert drops a red worm and sends the smallest fish for it, with the reminder's cue.
        run.key("Insert")
        run.wait_for(
            lambda: any(c["file"] == "musics/REMINDER.wav" and c["mode"] == "background" for c in run.cue_log()),
            "the reminder's cue",
        )


class FunctionKeysTest(WebTestCase):
    """F2 to F9 each do their own command: the page's picture after each is the native program's after the same
    key, within the drawing comparison's bound (drawn by llvmpipe under Chromium's ANGLE, as in
    test_web_pictures.py, so that the bound measures the page and not two rasterisers). A second press brings
    the picture back."""

    renderer = "llvmpipe"
    # F2 narrows the view by 5 degrees and the tank grows with it; F7 (the polished bulb) and F8 (flat shading)
    # show with lighting and the three lamps on.
    STEPS = [
        (None, "the start view"),
        ("F2", "F2"),
        ("F3", None),
        ("F4", "F4"),
        ("F4", None),
        ("F5", "F5"),
        ("F5", None),
        ("F6", "F6"),
        ("F6", None),
        ("F9", "F9"),
        ("F9", None),
        ("p", None),
        ("[", None),
        ("]", None),
        ("+", "lit"),
        ("F7", "F7"),
        ("F7", None),
        ("F8", "F8"),
        ("F8", None),
    ]
    MASKS = START_MASK + tank_mask(Camera(fov=55))

    def test_function_keys_do_their_commands(self):
        native = native_pictures(self.STEPS, self.MASKS)
        page = page_pictures(self, self.STEPS, self.MASKS)
        for state in native:
            comparison = compare(native[state], page[state], self.MASKS)
            self.assertTrue(comparison.within_bound(), "%s: %s" % (state, comparison))
        # Each key's picture is its own: none passes for another's.
        for key in ("F2", "F4", "F5", "F6", "F9"):
            for other in ("F2", "F4", "F5", "F6", "F9"):
                if other != key:
                    self.assertFalse(compare(native[key], page[other], self.MASKS).within_bound(), (key, other))
        # The polished bulb changes only the bulb (a block 8.5 levels off the lit picture, at the bound's edge);
        # that F7 changes anything at all the page's picture shows, which must differ from the lit one to be taken.
        self.assertFalse(compare(native["lit"], page["F8"], self.MASKS).within_bound(), "F8")

    def test_f11_cycles_the_views(self):
        run = self.open()
        for title in (perspective_title(0.5, 0.5, 360), ORTHOGONAL_TITLE, COMBINED_TITLE):
            run.key("F11")
            run.wait_for(lambda: run.title() == title, "the title %r" % title)


if __name__ == "__main__":
    unittest.main()
