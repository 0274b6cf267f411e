# test_install.py -- an install into a scratch prefix: files in place, and the launcher runs the program.
import os
import shutil
import subprocess
import tempfile
import unittest

from glintmere_app import BUILD_DIR, HINT, E2ETestCase, program_env
from xdisplay import DEFAULT_TIMEOUT, png_size, read_png

VERSION = os.environ.get("GLINTMERE_VERSION", "")
CMAKE = os.environ.get("CMAKE_COMMAND", "cmake")


class InstallTest(E2ETestCase):
    @classmethod
    def setUpClass(cls):
        cls.prefix = tempfile.mkdtemp(prefix="glintmere-prefix-")
        cls.addClassCleanup(shutil.rmtree, cls.prefix, True)
        installed = subprocess.run(
            [CMAKE, "--install", BUILD_DIR, "--prefix", cls.prefix],
            capture_output=True,
            text=True,
            timeout=5 * DEFAULT_TIMEOUT,
        )
        if installed.returncode != 0:
            raise AssertionError("cmake --install failed:\n" + installed.stdout + installed.stderr)
        cls.launcher = os.path.join(cls.prefix, "bin", "glintmere")

    def setUp(self):
        super().setUp()
        # Somewhere without texture/ or musics/, as a user's home would be.
        self.elsewhere = tempfile.mkdtemp(prefix="glintmere-caller-")
        self.addCleanup(shutil.rmtree, self.elsewhere, True)

    def launch(self, command, *args, display=True):
        env = program_env(self.x.env if display else None)
        if not display:
            env.pop("DISPLAY", None)
        return subprocess.run(
            [command, *args], cwd=self.elsewhere, env=env, capture_output=True, text=True, timeout=3 * DEFAULT_TIMEOUT
        )

    def path(self, *parts):
        return os.path.join(self.prefix, *parts)

    def test_installed_files(self):
        self.assertTrue(os.access(self.launcher, os.X_OK))
        self.assertTrue(os.access(self.path("libexec", "glintmere", "glintmere"), os.X_OK))
        self.assertEqual(
            len([n for n in os.listdir(self.path("share", "glintmere", "texture")) if n.endswith(".bmp")]), 12
        )
        self.assertEqual(
            len([n for n in os.listdir(self.path("share", "glintmere", "musics")) if n.endswith(".wav")]), 8
        )

        with open(self.path("share", "applications", "glintmere.desktop")) as handle:
            entry = dict(line.strip().split("=", 1) for line in handle if "=" in line)
        self.assertEqual(entry["Type"], "Application")
        self.assertEqual(entry["Exec"].split()[0], "glintmere")  # the launcher's name in bin/
        self.assertEqual(entry["Terminal"], "false")
        for size in (48, 64, 128, 256):
            icon = read_png(
                self.path("share", "icons", "hicolor", "%dx%d" % (size, size), "apps", entry["Icon"] + ".png")
            )
            self.assertEqual((icon.width, icon.height), (size, size))

        with open(self.path("share", "man", "man6", "glintmere.6")) as handle:
            self.assertIn(".TH GLINTMERE 6", handle.read())

    def test_launcher_runs_the_program_from_its_data_folder(self):
        shown = self.launch(self.launcher, "--version", display=False)
        self.assertEqual((shown.returncode, shown.stdout), (0, "glintmere %s\n" % VERSION), shown.stderr)

        # Five frames need the textures, which are only found from the data folder; a relative
        # screenshot name means the caller's folder.
        shown = self.launch(self.launcher, "--frames", "5", "--mute", "--screenshot", "shot 1.png")
        self.assertEqual(shown.returncode, 0, shown.stdout + shown.stderr)
        self.assertEqual(shown.stdout, HINT + "\n")

        # Through a link of its own, as from a user's ~/bin.
        link = os.path.join(self.elsewhere, "my glintmere")
        os.symlink(self.launcher, link)
        shown = self.launch(link, "--frames", "5", "--mute", "--screenshot=shot2.png")
        self.assertEqual(shown.returncode, 0, shown.stdout + shown.stderr)
        for name in ("shot 1.png", "shot2.png"):
            self.assertEqual(png_size(os.path.join(self.elsewhere, name)), (1200, 600))

        # Arguments reach the program unchanged: a bad one is still refused with status 2.
        shown = self.launch(self.launcher, "--frames", "two words", display=False)
        self.assertEqual(shown.returncode, 2)
        self.assertIn("'two words'", shown.stderr)


if __name__ == "__main__":
    unittest.main()
