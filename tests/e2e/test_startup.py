# test_startup.py -- the first minute of a user's session: hint, titles, help, echoed keys, quitting.
import unittest

from glintmere_app import COMBINED_TITLE, HINT, E2ETestCase

HELP_HEADER = "--------********* Help Menu *********--------"
HELP_LINES = 35  # the wording is pinned by tests/controls/help_test.cpp


class StartupAndHelpTest(E2ETestCase):
    def test_hint_title_help_echo_and_quit(self):
        run = self.start()

        # The window is created as "Furniture" and takes the combined-view title on the first idle call.
        history = self.x.title_history(run.window)
        self.assertEqual(history[:2], ["Furniture", COMBINED_TITLE])
        run.wait_title(COMBINED_TITLE)
        self.assertEqual(run.out.all(), [HINT])

        # F1 and h, pressed for real, print the same 35 lines of help, once per press.
        printed = {}
        for key in ("F1", "h"):
            mark = run.mark()
            run.key(key)
            printed[key] = run.out.wait_for(lambda lines: lines if len(lines) >= HELP_LINES else None,
                                            start=mark, what="the help text after " + key)
            self.assertEqual(len(printed[key]), HELP_LINES, key)
            self.assertEqual(printed[key][0], HELP_HEADER, key)
        self.assertEqual(printed["F1"], printed["h"])

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
