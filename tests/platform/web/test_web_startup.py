# test_web_startup.py -- the page's first minute: title, console, help, echoed keys, and options from the address.
import unittest

from glintmere_app import COMBINED_TITLE
from test_startup import HELP_HEADER, HELP_LINES
from web_app import HINT, WebTestCase

VERSION_LINE = "glintmere 1.0.0"


class StartupTest(WebTestCase):
    def test_title_console_help_and_echoed_keys(self):
        run = self.open()

        # The window is made as "Furniture" and takes the combined view's title on the first idle call;
        # the page's title is the window's.
        run.wait_for(lambda: run.title() == COMBINED_TITLE, "the combined view's title")
        self.assertEqual(run.title_history()[:2], ["Furniture", COMBINED_TITLE])
        self.assertEqual(run.panel_lines(), [[HINT, False]])
        # Each console line is one message of the browser's console too, and nothing else was logged.
        self.assertEqual(run.console_messages(), [("log", HINT)])

        # F1 and h print the same lines of help, once per press, in the panel and the browser's console.
        printed = {}
        for key in ("F1", "h"):
            mark = run.mark()
            run.key(key)
            printed[key] = run.wait_lines(lambda lines: lines if len(lines) >= HELP_LINES else None, mark, key)
            self.assertEqual(len(printed[key]), HELP_LINES, key)
            self.assertEqual(printed[key][0], HELP_HEADER, key)
        self.assertEqual(printed["F1"], printed["h"])
        logged = [text for kind, text in run.console_messages() if kind == "log"]
        self.assertEqual(logged, [HINT] + printed["F1"] + printed["h"])

        # Keys without a command come back as they are, one line each.
        mark = run.mark()
        run.key("-", "z", "Enter", "1", "!")
        echoed = run.wait_lines(lambda lines: lines if len(lines) >= 5 else None, mark, "five echoed keys")
        self.assertEqual(echoed, ["-", "z", "\r", "1", "!"])
        self.assertEqual(run.error_lines(), [])

    def test_options_come_from_the_address(self):
        # --version answers and ends, as on the command line.
        run = self.open("version", wait=False)
        run.wait_for(lambda: run.ended() is not None, "the end after --version")
        self.assertEqual(run.ended(), "0")
        self.assertEqual(run.panel_lines(), [[VERSION_LINE, False]])

        # An unknown option ends with status 2 and the program's message.
        run = self.open("bogus", wait=False)
        run.wait_for(lambda: run.ended() is not None, "the end after --bogus")
        self.assertEqual(run.ended(), "2")
        self.assertEqual(run.error_lines()[0], "glintmere: unrecognized option '--bogus'")
        self.assertIn("ended with status 2", run.evaluate("document.getElementById('ended-text').textContent"))

        # ?scene=lit&mute: the lit scene, silent: the lit picture, and no cue asked for at all.
        run = self.open("scene=lit&mute")
        lit = run.screenshot()
        run.key("x")
        run.wait_lines(lambda lines: lines[-1:] == ["x"], 0, "the echoed x")
        self.assertEqual(run.cue_log(), [])
        self.assertEqual(run.audio_state(), "none")
        run.key("p")
        run.wait_for(lambda: run.screenshot().data != lit.data, "the picture with lighting off")

    def test_record_is_refused(self):
        run = self.open("record=clip.y4m", wait=False)
        run.wait_for(lambda: run.ended() is not None, "the end after --record")
        self.assertEqual(run.ended(), "1")
        self.assertEqual(
            run.error_lines(),
            [
                "glintmere: cannot record to clip.y4m: a web page writes no files; record with the desktop program "
                "(glintmere --record clip.mp4)"
            ],
        )
        self.assertEqual(run.program_lines(), [])
        self.assertEqual(run.evaluate("document.getElementById('canvas')"), None)


if __name__ == "__main__":
    unittest.main()
