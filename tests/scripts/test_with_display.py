# test_with_display.py -- scripts/with-display.sh --on: a command runs on the test run's own X server
# or not at all, never on the caller's display.
import os
import subprocess
import tempfile
import unittest

LAUNCHER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "with-display.sh")
# What the caller's own display would be; no test may ever draw there.
CALLERS_DISPLAY = ":4242"


class OnTheRunsServerTest(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory(prefix="glintmere-display-")
        self.addCleanup(self.folder.cleanup)
        self.file = os.path.join(self.folder.name, "x-display")

    def on(self, *command):
        """Runs `with-display.sh --on FILE COMMAND` from a caller whose DISPLAY is CALLERS_DISPLAY; the
        completed process, and the DISPLAY the command saw (None when it did not run)."""
        seen = os.path.join(self.folder.name, "seen")
        if os.path.exists(seen):
            os.remove(seen)
        script = 'printf "%s" "${DISPLAY-unset}" > "$0"'
        done = subprocess.run(
            [LAUNCHER, "--on", self.file, "sh", "-c", script, seen, *command],
            env=dict(os.environ, DISPLAY=CALLERS_DISPLAY),
            stdin=subprocess.DEVNULL,
            capture_output=True,
            text=True,
            timeout=60,
        )
        if not os.path.exists(seen):
            return done, None
        with open(seen) as handle:
            return done, handle.read()

    def assert_refused(self, done, display):
        self.assertIsNone(display, "the command ran on DISPLAY=%s" % display)
        self.assertNotEqual(done.returncode, 0)
        self.assertIn("with-display: no X server at %s" % self.file, done.stderr)

    def test_a_command_runs_on_the_runs_server_only_while_it_is_there(self):
        started = subprocess.run([LAUNCHER, "--start", self.file], capture_output=True, text=True, timeout=60)
        self.assertEqual(started.returncode, 0, started.stderr)
        try:
            with open(self.file) as handle:
                display, pid = handle.read().split()
            done, seen = self.on()
            self.assertEqual((done.returncode, seen), (0, display), done.stderr)
        finally:
            subprocess.run([LAUNCHER, "--stop", self.file], timeout=60, check=True)

        # The server gone, its file left behind naming it: nothing runs, and the run is told why.
        with open(self.file, "w") as handle:
            handle.write("%s %s\n" % (display, pid))
        self.assert_refused(*self.on())
        # No file at all: the same.
        os.remove(self.file)
        self.assert_refused(*self.on())

    def test_a_test_program_lists_its_tests_without_any_display(self):
        done, seen = self.on("--gtest_list_tests")
        self.assertEqual((done.returncode, seen), (0, "unset"), done.stderr)


if __name__ == "__main__":
    unittest.main()
