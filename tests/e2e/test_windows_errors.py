# test_windows_errors.py -- a start-up error on Windows: started without a console window (from Explorer
# or a shortcut, where the console Windows opens closes with the program), the message is also shown in
# a message box; started from a console window, it stays on the console alone.
import os
import shutil
import subprocess

from glintmere_app import WITH_WINE, WINE_PREFIX, E2ETestCase, make_workdir, program_env, windows_path
from xdisplay import DEFAULT_TIMEOUT

# The test's own Windows program that reads a message box's text and presses its OK button.
READER = os.environ.get("GLINTMERE_MESSAGE_BOX_READER", "")
MISSING = "File Not Found : texture/floor.bmp"


class StartupErrorTest(E2ETestCase):
    def setUp(self):
        super().setUp()
        self.assertTrue(os.path.isfile(READER), "GLINTMERE_MESSAGE_BOX_READER names no program: %r" % READER)
        # A missing texture, as after running the exe from inside the zip without extracting it.
        self.workdir = make_workdir(copy_textures=True)
        self.addCleanup(shutil.rmtree, self.workdir, True)
        os.remove(os.path.join(self.workdir, "texture", "floor.bmp"))
        self.exe = os.path.join(self.workdir, os.path.basename(os.environ["GLINTMERE_BIN"]))

    def wine(self, *command, **options):
        return subprocess.Popen(
            [WITH_WINE, "--on", WINE_PREFIX, "wine", *command],
            cwd=self.workdir,
            env=program_env({"DISPLAY": self.x.name}),
            stdin=subprocess.DEVNULL,
            start_new_session=True,
            **options,
        )

    def ended(self, process):
        """The status of a process that must end by itself in time."""
        try:
            return process.wait(DEFAULT_TIMEOUT)
        except subprocess.TimeoutExpired:
            os.killpg(process.pid, 9)
            process.wait()
            raise AssertionError("the program did not end: a message box no one closes would hold it")

    def test_started_without_a_console_the_error_is_also_shown_in_a_message_box(self):
        # `start` gives the exe a console of its own, as Windows does for a double-click.
        program = self.wine("start", "/wait", "/unix", self.exe, "--mute", stdout=subprocess.DEVNULL)
        reader = self.wine(
            READER, "Glintmere", str(int(DEFAULT_TIMEOUT)), stdout=subprocess.PIPE, stderr=subprocess.PIPE
        )
        shown, problem = reader.communicate(timeout=2 * DEFAULT_TIMEOUT)
        self.assertEqual(reader.returncode, 0, problem.decode("utf-8", "replace"))
        self.assertEqual(shown.decode("utf-8"), MISSING)
        self.assertEqual(self.ended(program), 1)

    def test_started_from_a_console_the_error_stays_on_the_console(self):
        # cmd opens a console window and runs the exe in it, as a user typing its name does.
        program = self.wine("start", "/wait", "cmd", "/c", windows_path(self.exe), "--mute")
        self.assertEqual(self.ended(program), 1)
        self.assertEqual(self.x.windows_named("Glintmere"), [], "a message box was shown")
