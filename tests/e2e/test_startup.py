# test_startup.py -- the first minute of a user's session: hint, titles, help, echoed keys, quitting.
import unittest

from glintmere_app import COMBINED_TITLE, HINT, E2ETestCase

HELP_TEXT = [
    "--------********* Help Menu *********--------",
    "Press 'F1' or'h' to display help.",
    "Click right mouse key to have a menu.",
    "Press 'p' and 'P' to enable/disable lighting.",
    "Press 'o' and 'O' to turn on/off ceiling light.",
    "Press '[' and '{' to turn on/off left lamp light.",
    "Press ']' and '}' to turn on/off right lamp light.",
    "Press HOME key to reset.",
    "Press 'Esc' 'Q' and 'q'  You can also quit the program.",
    "Press '+' to add a furniture, or clear all furnitures.",
    "Press '-' to remove a furniture, or add all furnitures.",
    "Press 'F4' to enable/disable depth test.",
    "Press 'F5' to toggle wireframe/filled rendering.",
    "Press 'F6' to enable/disable backface culling.",
    "Press 'F7' to enable/disable polished item.",
    "Press 'F8' to toggle flat/smooth rendering.",
    "Press 'F9' to enable/disable texture.",
    "Press 'F10' to enable/disable collision check.",
    "Press 'F11' to toggle view model.",
    "*************under perspective view*************",
    "Press 'l' and 'L' to let left turning under perspective view.",
    "Press 'r' and 'R' to let right turning under perspective view.",
    "Press 's' and 'S' to stop turning under perspective view.",
    "Press 'left arrow key' to manually turn left.",
    "Press 'right arrow key' to manually turn right.",
    "Click left mouse key to drag and set the view angle",
    "Press 'F2 & F3 or up/down arrow key' To zoom in/out.",
    "*************under combined view*************",
    "Press 't' and 'T' to lift up eye position.",
    "Press 'v' and 'V' to lower down eye position.",
    "Press 'f' and 'F' to turn left.",
    "Press 'g' and 'G' to turn right.",
    "Press 'left arrow key' to move left.",
    "Press 'right arrow key' to move right.",
    "Press 'up/down arrow key' to move forward/backward.",
]


class StartupAndHelpTest(E2ETestCase):
    def test_hint_title_help_echo_and_quit(self):
        run = self.start()

        # The window is created as "Furniture" and takes the combined-view title on the first idle call.
        history = self.x.title_history(run.window)
        self.assertEqual(history[:2], ["Furniture", COMBINED_TITLE])
        run.wait_title(COMBINED_TITLE)
        self.assertEqual(run.out.all(), [HINT])

        # F1 and h print the same 35 lines, once per press.
        for key in ("F1", "h"):
            mark = run.mark()
            run.key(key)
            printed = run.out.wait_for(lambda lines: lines if len(lines) >= len(HELP_TEXT) else None,
                                       start=mark, what="the help text after " + key)
            self.assertEqual(printed, HELP_TEXT, key)

        # Keys without a command come back as they are, one line each; '-' is named by the help
        # but has no command.
        mark = run.mark()
        run.key("minus", "z", "Return", "1")
        echoed = run.out.wait_for(lambda lines: lines if len(lines) >= 4 else None, start=mark,
                                  what="four echoed keys")
        self.assertEqual(echoed, ["-", "z", "\r", "1"])

        mark = run.mark()
        run.key("q")
        self.assertEqual(run.wait_exit(), 0)
        self.assertEqual(run.out.all()[mark:], [])
        self.assertIsNone(self.x.geometry(run.window), "the window is gone after q")


if __name__ == "__main__":
    unittest.main()
