# test_web_sound.py -- the cues in the page: sound after the first key or click, one cue at a time, the loop
# until replaced, and a blocking cue holding drawing and input until it has played.
"""What sounds is read from the cue backend's analyser, through which every cue goes to the speakers, and
what was asked from the backend's log (Module.cues). Chromium starts with its default rule for sound: none
before the user's first gesture."""

import unittest

from glintmere_app import perspective_title
from web_app import WebTestCase

# The analyser's level (root mean square) of the generated cues while they sound, and of silence.
SOUNDING = 0.02
SILENT = 0.001


class SoundTest(WebTestCase):
    def test_sound_waits_for_a_key_then_loops_until_replaced(self):
        run = self.open()
        # Before any key or click the music is asked for but cannot sound, and the page says why.
        log = run.cue_log()
        self.assertEqual([(c["file"], c["mode"]) for c in log], [("musics/CHECKERS.wav", "loop")])
        self.assertEqual(run.audio_state(), "suspended")
        self.assertTrue(run.note_shown("sound-note"))
        self.assertLess(run.sound_level(), SILENT)
        self.assertEqual(log[0]["sounded"], 0)

        # The first key starts the sound: the music plays and the note goes.
        run.key("x")
        run.wait_for(lambda: run.audio_state() == "running", "the sound to start")
        run.wait_for(lambda: not run.note_shown("sound-note"), "the note to go")
        run.wait_for(lambda: run.cue_log()[0]["sounded"] > 0, "the music to sound")
        run.wait_for(lambda: run.sound_level() > SOUNDING, "the music's level")

        # Clear worm asks for the music again, and with no worm left no fish eats, grows or leaves, so no other
        # cue comes: the loop is still sounding after its own length.
        before = len(run.cue_log())
        run.choose("3.Glintmere", "4.Clear worm")
        run.wait_for(lambda: len(run.cue_log()) > before and run.cue_log()[before]["sounded"] > 0, "the music again")
        music = run.cue_log()[before]
        self.assertEqual((music["file"], music["mode"]), ("musics/CHECKERS.wav", "loop"))
        run.wait_for(
            lambda: run.evaluate("performance.now()") > music["sounded"] + 1000 * music["seconds"] + 500,
            "the music's second round",
            timeout=30,
        )
        self.assertGreater(run.sound_level(), SOUNDING, "the music stopped after one round")
        self.assertEqual(len(run.cue_log()), before + 1, run.cue_log()[before:])

        # Music off plays one last cue, which replaces the loop; once it has played nothing sounds, and with
        # sound off no cue is asked for any more.
        run.choose("8.Play/Stop music")
        run.wait_for(lambda: len(run.cue_log()) > before + 1 and run.cue_log()[before + 1]["sounded"] > 0, "the cue")
        last = run.cue_log()[before + 1]
        self.assertEqual((last["file"], last["mode"]), ("musics/realjbeq1.wav", "background"))
        run.wait_for(
            lambda: run.evaluate("performance.now()") > last["sounded"] + 1000 * last["seconds"] + 300,
            "the last cue's end",
        )
        run.wait_for(lambda: run.sound_level() < SILENT, "silence after it", timeout=3)

    def test_a_blocking_cue_holds_drawing_and_input(self):
        run = self.open()
        run.key("x")
        run.wait_for(lambda: run.audio_state() == "running", "the sound to start")
        # The perspective view, turning: its title changes every frame the program draws.
        run.key("F11", "r", "r")
        run.wait_for(lambda: run.title() != perspective_title(0.5, 0.5, 360), "the orbit turning")

        # The first fish, one worm short of grown, eats, rises and leaves with its goodbye, a blocking cue.
        def goodbye():
            return next((c for c in run.cue_log() if c["file"] == "musics/goodbye.wav"), None)

        cue = run.wait_for(goodbye, "a fish leaving", timeout=180, interval=0.02)
        self.assertEqual(cue["mode"], "blocking")
        # While it plays: no frame is drawn, and a key waits.
        held = run.evaluate(
            "[performance.now() < %r, Module.frameLog.displayMs.length, document.querySelector('title').textContent]"
            % cue["holdsUntil"]
        )
        self.assertTrue(held[0], "the test came too late to see the hold: %r" % cue)
        run.key("z")
        still = run.evaluate(
            "[performance.now() < %r, Module.frameLog.displayMs.length, document.querySelector('title').textContent,"
            " Array.from(document.querySelectorAll('#console > div')).some(d => d.textContent === 'z')]"
            % cue["holdsUntil"]
        )
        self.assertTrue(still[0], "the test came too late to see the hold: %r" % cue)
        self.assertEqual(still[1:], held[1:] + [False], "drawn or answered during the goodbye")
        # After it: the key is answered, the frames go on, and the cue asked for meanwhile (the chimes of the
        # next fish) comes after the goodbye.
        run.wait_lines(lambda lines: "z" in lines, 0, "the key after the goodbye")
        after = run.evaluate("performance.now()")
        self.assertGreaterEqual(after, cue["holdsUntil"])
        run.wait_for(lambda: run.frames_drawn() > held[1] + 5, "frames after the goodbye")
        chimes = next(c for c in run.cue_log() if c["file"] == "musics/CHIMES.wav" and c["time"] >= cue["time"])
        self.assertTrue(chimes.get("afterBlocking"), chimes)
        self.assertGreaterEqual(chimes["time"], cue["holdsUntil"] - 1)
        run.wait_for(lambda: run.cue_log()[run.cue_log().index(chimes)]["sounded"] > 0, "the chimes sounding")

    def test_a_blocking_cue_holds_for_its_length_before_the_first_key_too(self):
        run = self.open()
        # No key: the browser lets nothing sound, yet the goodbye holds the program for its length.
        cue = self.wait_goodbye(run)
        self.assertEqual(run.audio_state(), "suspended")
        self.assertEqual(cue["sounded"], 0)
        self.assertIn("holdsUntil", cue, "the goodbye held nothing")
        self.assertAlmostEqual(cue["holdsUntil"] - cue["time"], 1000 * cue["seconds"], delta=50)

    def wait_goodbye(self, run):
        return run.wait_for(
            lambda: next((c for c in run.cue_log() if c["file"] == "musics/goodbye.wav"), None),
            "a fish leaving",
            timeout=180,
        )


if __name__ == "__main__":
    unittest.main()
