# test_startup.py -- the first minute of a user's session: hint, titles, help, echoed keys, quitting.
import errno
import os
import unittest

from glintmere_app import BUILD_DIR, COMBINED_TITLE, HINT, NO_AUDIO, UNDER_WINE, E2ETestCase, make_workdir
from xdisplay import wait_until

HELP_HEADER = "--------********* Help Menu *********--------"
HELP_LINES = 35  # the wording is pinned by tests/controls/help_test.cpp


def workdir_with_held_clap():
    """A working directory whose musics/CLAP.wav is a named pipe: the program, opening it to play the
    clap, waits there until the test lets it go, however long the test looks at the screen first."""
    workdir = make_workdir()
    musics = os.path.join(workdir, "musics")
    os.remove(musics)
    os.mkdir(musics)
    source = os.path.join(BUILD_DIR, "musics")
    for name in os.listdir(source):
        if name != "CLAP.wav":
            os.symlink(os.path.join(source, name), os.path.join(musics, name))
    os.mkfifo(os.path.join(musics, "CLAP.wav"))
    return workdir


def let_clap_go(workdir):
    """Opens and closes the pipe once the program has opened it. SDL_mixer cannot read a wave from a
    pipe, so the clap stays silent, with its one warning; the program then ends as after any clap."""

    def open_pipe():
        try:
            return os.open(os.path.join(workdir, "musics", "CLAP.wav"), os.O_WRONLY | os.O_NONBLOCK)
        except OSError as error:
            if error.errno == errno.ENXIO:  # the program has not opened it yet
                return None
            raise

    os.close(wait_until(open_pipe, what="the program to open the clap"))


class StartupAndHelpTest(E2ETestCase):
    def test_hint_title_help_echo_and_quit(self):
        # Under Wine there is no sound device (with-wine.sh turns the drivers off), so no clap to hold.
        workdir = make_workdir() if UNDER_WINE else workdir_with_held_clap()
        run = self.start(workdir=workdir)

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
            printed[key] = run.out.wait_for(
                lambda lines: lines if len(lines) >= HELP_LINES else None, start=mark, what="the help text after " + key
            )
            self.assertEqual(len(printed[key]), HELP_LINES, key)
            self.assertEqual(printed[key][0], HELP_HEADER, key)
        self.assertEqual(printed["F1"], printed["h"])

        # Keys without a command come back as they are, one line each; '-' is named by the help
        # but has no command.
        mark = run.mark()
        run.key("minus", "z", "Return", "1")
        echoed = run.out.wait_for(lambda lines: lines if len(lines) >= 4 else None, start=mark, what="four echoed keys")
        self.assertEqual(echoed, ["-", "z", "\r", "1"])

        mark = run.mark()
        if UNDER_WINE:
            # Sound is on, but with no device the first cue, the music, says so once and nothing
            # more is tried: q ends the program at once, with status 0.
            run.key("q")
            self.assertEqual(run.wait_exit(), 0)
            self.assertEqual(run.out.all()[mark:], [])
            self.assertFalse(run.on_screen())
            self.assertEqual(run.errors(), [NO_AUDIO])
            return

        # Sound is on, so q plays the clap, and the window goes before it: while the program is held
        # at the clap, the window is off the screen. Then the program ends with status 0.
        run.key("q")
        try:
            wait_until(lambda: not run.on_screen(), what="the window to go")
        except TimeoutError:
            self.fail("the window stayed on the screen while the program was at the clap")
        self.assertIsNone(run.process.poll(), "the program ended without waiting at the clap")
        let_clap_go(workdir)
        self.assertEqual(run.wait_exit(), 0)
        self.assertEqual(run.out.all()[mark:], [])


if __name__ == "__main__":
    unittest.main()
