# test_web_menu.py -- the right button's HTML menu: the desktop menu's labels, order and sub-menus, and every
# entry doing its command.
"""The menu is built from the same GLUT calls as the desktop's, so its entries must read exactly as the desktop
menu's (glintmere_app.MAIN_MENU and SUB_MENUS, which the desktop tests click through), and each entry must call
its menu's callback with its value: an entry with a key of its own leaves the very picture its key leaves,
and the others show their command by the title, the console, the cue log, the tank or the end."""

import unittest

from glintmere_app import COMBINED_TITLE, MAIN_MENU, ORTHOGONAL_TITLE, SUB_MENUS, perspective_title
from scene_model import Camera, tank_inside_box
from test_walk_views import HEADER, eye_line
from web_app import WebTestCase, settled_change, tank_mask, wait_same

START_MASK = tank_mask(Camera())
# A point of the front wall that the far plane of 15 cuts away (the desktop menu test's).
FRONT_WALL = (455, 225)


def desktop_menu():
    return [
        [label, [[entry, None] for entry in SUB_MENUS[label]] if label in SUB_MENUS else None] for label in MAIN_MENU
    ]


def worm_eye_pixels(image):
    """Black pixels inside the tank: a worm's eyes are two 10-pixel black points, a fish's a speck."""
    return sum(1 for colour in image.patch(*tank_inside_box(Camera())) if colour == (0, 0, 0))


class MenuTest(WebTestCase):
    def same_as_key(self, run, start, key, path):
        """The entry at `path` changes the picture as `key` does; the key again brings the start back."""
        run.key(key)
        by_key = settled_change(run, start, START_MASK, "the picture after " + key)
        run.key(key)
        wait_same(run, start, START_MASK, "back after " + key)
        run.choose(*path)
        wait_same(run, by_key, START_MASK, "%s as %s" % (path[-1], key))
        run.choose(*path)
        wait_same(run, start, START_MASK, "back after " + path[-1])

    def test_the_menu_is_the_desktop_menu(self):
        run = self.open()
        # A listener after the page's sees whether the browser's own menu was cancelled.
        run.evaluate(
            "window.addEventListener('contextmenu', e => { window.glintmereMenuCancelled = e.defaultPrevented; })"
        )
        shown = run.open_menu()
        self.assertEqual(shown, desktop_menu())
        self.assertTrue(run.evaluate("window.glintmereMenuCancelled"), "the browser's own menu was not cancelled")

        # Esc closes the menu and nothing else; so does a click beside it.
        run.key("Escape")
        run.wait_for(lambda: run.menu_shown() is None, "the menu to close on Esc")
        self.assertIsNone(run.ended())
        run.open_menu(at=(900, 400))
        x, y = run.page_point(100, 500)
        run.mouse("mousePressed", x, y, "left", 1, 1)
        run.mouse("mouseReleased", x, y, "left", 0, 1)
        run.wait_for(lambda: run.menu_shown() is None, "the menu to close on a click beside it")
        self.assertEqual(run.program_lines()[-1:], ["Press 'F1' or 'h' for help"])

    def test_views_and_rendering(self):
        run = self.open()
        for entry, title in (
            ("Perspective view", perspective_title(0.5, 0.5, 360)),
            ("Orthogonal projection", ORTHOGONAL_TITLE),
            ("combined view with lookAt function", COMBINED_TITLE),
        ):
            run.choose("1.View control", entry)
            run.wait_for(lambda: run.title() == title, "the title after " + entry)

        start = run.screenshot()
        self.same_as_key(run, start, "F5", ("2.Rendering", "1.Wireframe/Filled rendering"))
        self.same_as_key(run, start, "F9", ("2.Rendering", "3.Paste/Remove texture"))
        self.same_as_key(run, start, "p", ("4.Enable/Disable lighting",))
        # Flat shading and the polished bulb show with lighting and the three lamps on.
        run.key("p", "[", "]", "+")
        lit = settled_change(run, start, START_MASK, "lit by every light")
        self.same_as_key(run, lit, "F8", ("2.Rendering", "2.Flat/Smooth shading"))
        self.same_as_key(run, lit, "F7", ("2.Rendering", "4.Polished/Dull"))
        for key, entry in (
            ("o", "Turn ceiling light"),
            ("[", "Turn on left lamp (blue)"),
            ("]", "Turn on right lamp (red)"),
            ("+", "Turn on front lamp (green)"),
        ):
            self.same_as_key(run, lit, key, ("5.Turn on/off", entry))

    def test_collision_view_volume_music_and_reset(self):
        run = self.open()
        start = run.screenshot()
        # Collision check off: a step prints the eye alone.
        run.choose("6.Enable/Disable collision check")
        mark = run.mark()
        run.key("t")
        self.assertEqual(run.wait_lines(lambda got: got or None, mark, "the eye"), [eye_line(0, 0.68, 9)])
        run.choose("6.Enable/Disable collision check")
        mark = run.mark()
        run.key("v")
        got = run.wait_lines(lambda got: got if len(got) >= 2 else None, mark, "the checked eye")
        self.assertEqual(got, [HEADER, eye_line(0, 0.63, 9)])

        # The view volume: near 6 and far 15 cut the front wall away in the combined view; 20 brings it back.
        run.choose("7.Change view volume")
        run.settled_screenshot(lambda image: image.pixel(*FRONT_WALL) == (0, 0, 0), "the front wall cut away")
        run.choose("7.Change view volume")
        wait_same(run, start, START_MASK, "the front wall back")

        # Music off plays one last cue over the loop; on again plays nothing. The worms are cleared first
        # (which asks for the music again): with no worm left no fish eats, grows or leaves, so the aquarium
        # asks for no cue of its own meanwhile.
        cleared = len(run.cue_log())
        run.choose("3.Glintmere", "4.Clear worm")
        run.wait_for(
            lambda: ("musics/CHECKERS.wav", "loop") in [(c["file"], c["mode"]) for c in run.cue_log()[cleared:]],
            "the music of clear worm",
        )
        before = len(run.cue_log())
        run.choose("8.Play/Stop music")
        run.wait_for(lambda: len(run.cue_log()) > before, "the cue of music off")
        self.assertEqual(
            [(c["file"], c["mode"]) for c in run.cue_log()[before:]], [("musics/realjbeq1.wav", "background")]
        )
        run.choose("8.Play/Stop music")
        run.key("x")
        run.wait_lines(lambda got: got[-1:] == ["x"], 0, "a key after music on")
        self.assertEqual(len(run.cue_log()), before + 1)

        # Reset: back to the start from the perspective view, whose title shows the planes the view volume
        # left behind (near 0 and far 20 after two choices).
        run.key("F11", "F5")
        run.wait_for(lambda: run.title() == perspective_title(0.5, 0.5, 360, far=20.0), "the perspective view")
        run.choose("9.Reset")
        run.wait_for(lambda: run.title() == COMBINED_TITLE, "the combined view after the reset")
        wait_same(run, start, START_MASK, "the start view after the reset")

    def test_aquarium_entries(self):
        run = self.open()
        # Clear worm empties the tank, with the music loop's cue; Add fifteen worms brings worms back; Add a
        # fish has the chimes.
        run.choose("3.Glintmere", "4.Clear worm")
        run.settled_screenshot(lambda image: worm_eye_pixels(image) < 20, "an empty tank")
        self.assertEqual((run.cue_log()[-1]["file"], run.cue_log()[-1]["mode"]), ("musics/CHECKERS.wav", "loop"))
        run.choose("3.Glintmere", "3.Add fifteen worms")
        run.settled_screenshot(lambda image: worm_eye_pixels(image) >= 200, "worms back in the tank")
        run.choose("3.Glintmere", "2.Add a fish")
        run.wait_for(lambda: run.cue_log()[-1]["file"] == "musics/CHIMES.wav", "the chimes of a new fish")

    def test_manual_mode_replaces_no_worm_and_no_fish(self):
        run = self.open()
        run.choose("3.Glintmere", "1.Automatic/Manual")
        start = len(run.cue_log())
        # The first fish, one worm short of grown, eats and leaves with its goodbye. In automatic mode the
        # eaten worm would come back with its cue and another fish would come in with the chimes.
        run.wait_for(
            lambda: any(c["file"] == "musics/goodbye.wav" for c in run.cue_log()[start:]), "a fish leaving", timeout=180
        )
        left = next(c for c in run.cue_log()[start:] if c["file"] == "musics/goodbye.wav")
        run.wait_for(lambda: run.evaluate("performance.now()") > left["time"] + 3000, "three seconds after it")
        self.assertEqual(
            [c["file"] for c in run.cue_log()[start:] if c["file"] in ("musics/5169.wav", "musics/CHIMES.wav")], []
        )

    def test_exit_entry(self):
        run = self.open()
        run.choose("10.Exit")
        run.wait_for(lambda: run.ended() is not None, "the end")
        self.assertEqual(run.ended(), "0")


if __name__ == "__main__":
    unittest.main()
