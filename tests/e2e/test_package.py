# test_package.py -- the Debian package and the desktop metadata: the checked-in desktop entry and
# AppStream file pass Debian's validators; the package (built once into its own release tree, then
# only as far as anything changed) passes lintian without errors, unpacks into the layout Debian
# gives a game, depends on the packages of exactly the libraries the program links, and runs from
# where it was unpacked. Nothing is installed into the machine.
import os
import re
import shutil
import subprocess
import tempfile
import unittest

from glintmere_app import BUILD_DIR, HINT, E2ETestCase, program_env
from test_recording import read_y4m
from xdisplay import DEFAULT_TIMEOUT

SOURCE_DIR = os.environ.get("GLINTMERE_SOURCE_DIR", "")
VERSION = os.environ.get("GLINTMERE_VERSION", "")
DESKTOP_ENTRY = os.path.join(SOURCE_DIR, "data", "glintmere.desktop")
METAINFO_NAME = "org.example.glintmere.metainfo.xml"
METAINFO = os.path.join(SOURCE_DIR, "data", METAINFO_NAME)
# Packages that only building or testing needs; none may be a dependency.
BUILD_OR_TEST_ONLY = re.compile(
    r"-dev$|^(cmake|build-essential|g\+\+|gcc|googletest|xvfb|xdotool|imagemagick|"
    r"python3|lintian|appstream|desktop-file-utils|dpkg-dev|x11-utils)$"
)


def run(*command, **kwargs):
    return subprocess.run(
        command, capture_output=True, text=True, timeout=kwargs.pop("timeout", DEFAULT_TIMEOUT), **kwargs
    )


class DesktopMetadataTest(unittest.TestCase):
    def test_the_desktop_entry_and_the_appstream_file_pass_their_validators(self):
        shown = run("desktop-file-validate", DESKTOP_ENTRY)
        # It warns and hints with status 0; any remark at all counts.
        self.assertEqual((shown.returncode, shown.stdout + shown.stderr), (0, ""))
        shown = run("appstreamcli", "validate", "--no-net", "--pedantic", METAINFO)
        self.assertEqual(shown.returncode, 0, shown.stdout + shown.stderr)
        self.assertNotRegex(shown.stdout, r"(?m)^[EWIP]: ", shown.stdout)

        # The newest release listed is this version.
        with open(METAINFO) as handle:
            releases = re.findall(r'<release version="([^"]+)"', handle.read())
        self.assertEqual(releases[:1], [VERSION])


class PackageTest(E2ETestCase):
    @classmethod
    def setUpClass(cls):
        built = run(
            os.path.join(SOURCE_DIR, "scripts", "build-package.sh"),
            os.path.join(BUILD_DIR, "package"),
            timeout=20 * DEFAULT_TIMEOUT,
            env=dict(os.environ, JOBS="2"),
        )
        if built.returncode != 0:
            raise AssertionError("the package did not build:\n" + built.stdout[-4000:] + built.stderr[-4000:])
        cls.deb = built.stdout.strip().splitlines()[-1]
        cls.root = tempfile.mkdtemp(prefix="glintmere-unpacked-")
        cls.addClassCleanup(shutil.rmtree, cls.root, True)
        unpacked = run("dpkg-deb", "-x", cls.deb, cls.root)
        if unpacked.returncode != 0:
            raise AssertionError("dpkg-deb -x failed: " + unpacked.stderr)

    def path(self, *parts):
        return os.path.join(self.root, "usr", *parts)

    def field(self, name):
        return run("dpkg-deb", "-f", self.deb, name).stdout.strip()

    def test_lintian_finds_no_errors(self):
        self.assertEqual(
            os.path.basename(self.deb),
            "glintmere_%s_%s.deb" % (VERSION, run("dpkg", "--print-architecture").stdout.strip()),
        )
        shown = run("lintian", "--no-tag-display-limit", self.deb, timeout=10 * DEFAULT_TIMEOUT)
        errors = [line for line in shown.stdout.splitlines() if line.startswith("E: ")]
        self.assertEqual(errors, [], shown.stdout)
        self.assertEqual(shown.returncode, 0, shown.stdout + shown.stderr)

    def test_the_layout_is_a_debian_game(self):
        self.assertEqual(os.listdir(self.root), ["usr"])
        for executable in (self.path("games", "glintmere"), self.path("lib", "games", "glintmere", "glintmere")):
            self.assertTrue(os.access(executable, os.X_OK), executable)
        data = self.path("share", "games", "glintmere")
        self.assertEqual(
            sorted(n for n in os.listdir(os.path.join(data, "texture")) if n.endswith(".bmp")),
            sorted(n for n in os.listdir(os.path.join(BUILD_DIR, "texture")) if n.endswith(".bmp")),
        )
        self.assertEqual(len([n for n in os.listdir(os.path.join(data, "musics")) if n.endswith(".wav")]), 8)
        for size in (48, 64, 128, 256):
            self.assertTrue(
                os.path.isfile(self.path("share", "icons", "hicolor", "%dx%d" % (size, size), "apps", "glintmere.png"))
            )
        for name in (
            ("share", "man", "man6", "glintmere.6.gz"),
            ("share", "doc", "glintmere", "copyright"),
            ("share", "doc", "glintmere", "changelog.gz"),
        ):
            self.assertTrue(os.path.isfile(self.path(*name)), name)
        # The desktop entry, its icons and the AppStream file, as a software centre reads them.
        shown = run("appstreamcli", "validate-tree", "--no-net", self.root)
        self.assertEqual(shown.returncode, 0, shown.stdout + shown.stderr)
        self.assertTrue(os.path.isfile(self.path("share", "metainfo", METAINFO_NAME)))
        self.assertTrue(os.path.isfile(self.path("share", "applications", "glintmere.desktop")))
        self.assertEqual(self.field("Section"), "games")
        self.assertEqual(self.field("Version"), VERSION)

    def test_it_depends_on_the_packages_of_the_libraries_it_links(self):
        program = self.path("lib", "games", "glintmere", "glintmere")
        needed = re.findall(r"\(NEEDED\)\s+Shared library: \[([^\]]+)\]", run("readelf", "-d", program).stdout)
        self.assertIn("libglut.so.3.12", needed)
        # Where the loader finds each library (ldd lists the indirect ones too; only the direct count).
        cache = dict(re.findall(r"^\s*(\S+) => (/\S+)", run("ldd", program).stdout, re.M))
        owners = set()
        for soname in needed:
            path = cache[soname]
            candidates = [path, path[4:] if path.startswith("/usr/") else "/usr" + path]
            found = [run("dpkg", "-S", p) for p in candidates]
            owner = next((f.stdout.split(":")[0] for f in found if f.returncode == 0), None)
            self.assertIsNotNone(owner, "no package owns %s" % path)
            owners.add(owner)

        groups = [[alt.split()[0] for alt in group.split("|")] for group in self.field("Depends").split(",")]
        self.assertEqual({g for group in groups for g in group if BUILD_OR_TEST_ONLY.search(g)}, set())
        for owner in owners:
            self.assertTrue(any(owner in group for group in groups), "%s is not among %s" % (owner, groups))
        for group in groups:
            self.assertTrue(owners.intersection(group), "%s is linked by nothing" % group)

    def test_the_unpacked_program_runs(self):
        launcher = self.path("games", "glintmere")
        elsewhere = tempfile.mkdtemp(prefix="glintmere-caller-")
        self.addCleanup(shutil.rmtree, elsewhere, True)
        env = program_env(self.x.env)
        shown = run(launcher, "--version", cwd=elsewhere, env=env)
        self.assertEqual((shown.returncode, shown.stdout), (0, "glintmere %s\n" % VERSION), shown.stderr)
        # Five frames need the unpacked textures, found through the launcher; the clip's name means
        # the caller's folder, not the data folder the program runs in.
        shown = run(
            launcher,
            "--frames",
            "5",
            "--mute",
            "--record",
            "clip.y4m",
            cwd=elsewhere,
            env=env,
            timeout=3 * DEFAULT_TIMEOUT,
        )
        self.assertEqual((shown.returncode, shown.stdout), (0, HINT + "\n"), shown.stderr)
        self.assertEqual(len(read_y4m(os.path.join(elsewhere, "clip.y4m"))[1]), 5)


if __name__ == "__main__":
    unittest.main()
