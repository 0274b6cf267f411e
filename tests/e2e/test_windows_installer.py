# test_windows_installer.py -- the NSIS installer, silent, in the test run's Wine prefix: the program
# installed where Windows programs go, with its Start menu entry and its uninstall key, runnable from
# anywhere, and gone again, key and all, after a silent uninstall.
import os
import re
import subprocess
import tempfile
import unittest

from glintmere_app import (
    BUILD_DIR,
    HINT,
    NO_AUDIO,
    UNDER_WINE,
    WINE_NOISE,
    WINE_PREFIX,
    WITH_WINE,
    E2ETestCase,
    program_env,
    program_output,
)
from xdisplay import DEFAULT_TIMEOUT, wait_until

VERSION = os.environ.get("GLINTMERE_VERSION", "")
SETUP = os.path.join(BUILD_DIR, "glintmere-%s-setup.exe" % VERSION)
INSTALL_DIR = r"C:\Program Files\Glintmere"
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Glintmere"


def in_prefix(windows_path):
    """Where a C: path of the prefix lies on this machine."""
    return os.path.join(WINE_PREFIX, "drive_c", *windows_path[3:].split("\\"))


START_MENU_LINK = in_prefix(r"C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Glintmere\Glintmere.lnk")


@unittest.skipUnless(UNDER_WINE, "the Windows installer runs under Wine")
class WindowsInstallerTest(E2ETestCase):
    def setUp(self):
        if not os.path.exists(SETUP):
            self.skipTest("no installer at %s yet" % SETUP)
        super().setUp()
        # Somewhere else to start from, as a user's desktop would be.
        self.elsewhere = tempfile.mkdtemp(prefix="glintmere-caller-")
        self.addCleanup(os.rmdir, self.elsewhere)

    def wine(self, *command, timeout=None):
        """Runs a Windows command in the prefix on this test's X server."""
        return subprocess.run(
            [WITH_WINE, "--on", WINE_PREFIX, "wine", *command],
            cwd=self.elsewhere,
            env=program_env(self.x.env),
            stdin=subprocess.DEVNULL,
            capture_output=True,
            timeout=timeout or 4 * DEFAULT_TIMEOUT,
            start_new_session=True,
        )

    def uninstall_key(self):
        """The uninstall key's values (name -> data) in the 64-bit registry, or None without it."""
        found = self.wine("reg", "query", UNINSTALL_KEY, "/reg:64")
        if found.returncode != 0:
            return None
        values = {}
        for line in program_output(found.stdout):
            match = re.fullmatch(r"\s+(\S+)\s+REG_\w+\s+(.*)", line)
            if match:
                values[match.group(1)] = match.group(2)
        return values

    def uninstall_if_left(self):
        uninstaller = in_prefix(INSTALL_DIR + r"\uninstall.exe")
        if os.path.exists(uninstaller):
            self.wine(INSTALL_DIR + r"\uninstall.exe", "/S")

    def test_silent_install_run_and_uninstall(self):
        folder = in_prefix(INSTALL_DIR)
        self.assertFalse(os.path.exists(folder), "the prefix already holds " + INSTALL_DIR)
        self.assertIsNone(self.uninstall_key())

        installed = self.wine(SETUP, "/S")
        self.addCleanup(self.uninstall_if_left)
        self.assertEqual(installed.returncode, 0, installed.stderr)
        for name in ("glintmere.exe", "uninstall.exe", os.path.join("texture", "wallPaper1.bmp")):
            self.assertTrue(os.path.isfile(os.path.join(folder, name)), name)
        self.assertTrue(os.path.isfile(os.path.join(folder, "musics", "CLAP.wav")))
        self.assertTrue(os.path.isfile(START_MENU_LINK), START_MENU_LINK)
        key = self.uninstall_key()
        self.assertIsNotNone(key, "no key " + UNINSTALL_KEY)
        self.assertEqual(key.get("DisplayVersion"), VERSION)
        self.assertEqual(key.get("UninstallString"), '"%s\\uninstall.exe"' % INSTALL_DIR)

        # The installed program, started from elsewhere, finds its own files.
        exe = INSTALL_DIR + r"\glintmere.exe"
        shown = self.wine(exe, "--version")
        self.assertEqual(shown.returncode, 0, shown.stderr)
        self.assertEqual(program_output(shown.stdout), ["glintmere " + VERSION])
        ran = self.wine(exe, "--frames", "5")
        self.assertEqual(ran.returncode, 0, ran.stderr)
        self.assertEqual(program_output(ran.stdout), [HINT])
        noise = [line.format(exe=exe) for line in WINE_NOISE]
        self.assertEqual(sorted(program_output(ran.stderr)), sorted(noise + [NO_AUDIO]))

        # The uninstaller runs from a copy of itself and returns at once: wait for the folder to go.
        removed = self.wine(INSTALL_DIR + r"\uninstall.exe", "/S")
        self.assertEqual(removed.returncode, 0, removed.stderr)
        try:
            wait_until(lambda: not os.path.exists(folder), timeout=4 * DEFAULT_TIMEOUT, what="the folder to go")
        except TimeoutError:
            self.fail("the uninstaller left %s: %s" % (INSTALL_DIR, sorted(os.listdir(folder))))
        self.assertIsNone(self.uninstall_key(), "the uninstall key is still there")
        self.assertFalse(os.path.exists(os.path.dirname(START_MENU_LINK)), "the Start menu folder is still there")


if __name__ == "__main__":
    unittest.main()
