# test_web_exit.py -- quitting in the page: Esc, q and Q take the canvas away, the page says the program has
# ended, the clap plays while sound is on, and reloading starts the program again.
import unittest

from test_web_sound import SOUNDING
from web_app import WebTestCase

ENDED = "Glintmere has ended."


class ExitTest(WebTestCase):
    def ended_screen(self, run):
        return run.evaluate(
            "[document.getElementById('canvas') === null, !document.getElementById('ended').hidden,"
            " document.getElementById('ended-text').textContent]"
        )

    def test_quit_keys_end_the_program_with_the_clap(self):
        for key in ("Escape", "q", "Q"):
            run = self.open()
            # A first key lets the page sound (Esc is no gesture to a browser).
            run.key("x")
            run.wait_for(lambda: run.audio_state() == "running", "the sound to start")
            run.key(key)
            run.wait_for(lambda: run.ended() is not None, "the end after " + key)
            self.assertEqual(run.ended(), "0", key)
            self.assertEqual(self.ended_screen(run), [True, True, ENDED], key)
            clap = run.cue_log()[-1]
            self.assertEqual((clap["file"], clap["mode"]), ("musics/CLAP.wav", "blocking"), key)
            run.wait_for(lambda: run.cue_log()[-1]["sounded"] > 0 and run.sound_level() > SOUNDING, "the clap")
            # Nothing more is drawn or answered.
            frames = run.frames_drawn()
            mark = run.mark()
            run.key("z", "F1")
            run.wait_for(lambda: run.evaluate("performance.now()") > clap["time"] + 1000, "a second after the end")
            self.assertEqual((run.frames_drawn(), run.mark()), (frames, mark), key)

        # Reloading the page starts the program again.
        self.devtools_reload(run)
        run.wait_running()
        self.assertFalse(self.ended_screen(run)[0])

    def devtools_reload(self, run):
        start = run.devtools.event_count()
        run.devtools.call("Page.reload")
        run.devtools.wait_event("Page.loadEventFired", start=start)

    def test_a_muted_exit_is_silent(self):
        run = self.open("mute")
        run.key("x", "q")
        run.wait_for(lambda: run.ended() is not None, "the end")
        self.assertEqual(run.ended(), "0")
        self.assertEqual(self.ended_screen(run), [True, True, ENDED])
        self.assertEqual(run.cue_log(), [])


if __name__ == "__main__":
    unittest.main()
