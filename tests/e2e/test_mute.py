# test_mute.py -- --mute silences every cue and leaves the console as it is.
import os
import unittest

from glintmere_app import HINT, NO_AUDIO, UNDER_WINE, E2ETestCase, make_workdir
from xdisplay import DEFAULT_TIMEOUT


class MuteTest(E2ETestCase):
    """SDL's disk audio driver writes what would have been heard into a file, so silence can be checked."""

    def counted_run(self, *args):
        workdir = make_workdir()
        sound_file = os.path.join(workdir, "heard.raw")
        run = self.start(
            "--frames",
            "5",
            *args,
            workdir=workdir,
            wait=False,
            env={"SDL_AUDIODRIVER": "disk", "SDL_DISKAUDIOFILE": sound_file}
        )
        status = run.wait_exit(timeout=3 * DEFAULT_TIMEOUT)
        heard = b""
        if os.path.exists(sound_file):
            with open(sound_file, "rb") as handle:
                heard = handle.read()
        return status, run.out.all(), heard

    def test_mute_plays_nothing_and_changes_no_output(self):
        if UNDER_WINE:
            self.skipTest("SDL's disk audio driver is Linux only; test_mute_tries_no_cue covers the exe")
        status, out, heard = self.counted_run("--mute")
        self.assertEqual(status, 0)
        self.assertEqual(out, [HINT])
        self.assertEqual(heard.strip(b"\0"), b"", "a muted run sounded")

        # The same run with sound: the music and the closing clap reach the audio device.
        status, out, heard = self.counted_run()
        self.assertEqual(status, 0)
        self.assertEqual(out, [HINT])
        self.assertNotEqual(heard.strip(b"\0"), b"", "nothing was played without --mute")

    def test_mute_tries_no_cue(self):
        """Under Wine no cue can sound (no device); the program says so when the first cue is tried,
        the music at start, and a muted run never tries one."""
        if not UNDER_WINE:
            self.skipTest("a machine's sound device is not known; the disk audio driver shows the cues")
        for args, errors in ((["--mute"], []), ([], [NO_AUDIO])):
            run = self.start("--frames", "5", *args, wait=False)
            self.assertEqual(run.wait_exit(timeout=3 * DEFAULT_TIMEOUT), 0, args)
            self.assertEqual(run.out.all(), [HINT], args)
            self.assertEqual(run.errors(), errors, args)


if __name__ == "__main__":
    unittest.main()
