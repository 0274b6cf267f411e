# test_options.py -- the command line: help, version, bad options, counted runs, screenshots, benchmark, mute.
import os
import subprocess
import unittest

from glintmere_app import BUILD_DIR, HINT, UNDER_WINE, E2ETestCase, make_workdir, program_env, run_to_end
from scene_model import WINDOW_HEIGHT, WINDOW_WIDTH, Bitmap, Camera, texture_path, wallpaper_mismatch
from xdisplay import DEFAULT_TIMEOUT, read_png

VERSION = os.environ.get("GLINTMERE_VERSION", "")

# Everything --benchmark writes to standard error; the figures vary from run to run.
BENCHMARK_REPORT = [
    r"renderer: .+",
    r"version: .+",
    r"window: 1200x600",
    r"drawing: (fast|straightforward)",
    r"frames: 5 \(after \d+ warm-up frames\)",
    r"scene frame: median [\d.]+ ms, p99 [\d.]+ ms, [\d.]+ frames per second",
    r"empty frame: median [\d.]+ ms, p99 [\d.]+ ms",
    r"ratio to empty frame: [\d.]+",
    r"benchmark .+",
    r"frame times ms:( [\d.]+){5}",
]


def run_without_display(*args):
    env = program_env()
    env.pop("DISPLAY", None)
    return run_to_end(args, env, DEFAULT_TIMEOUT)


class InformationOptionsTest(unittest.TestCase):
    """Options that answer and quit need no X display at all."""

    def test_help_and_version(self):
        shown = run_without_display("--help")
        self.assertEqual(shown.returncode, 0, shown.stderr)
        self.assertTrue(shown.stdout.startswith("Usage: glintmere "), shown.stdout)
        for option in (
            "--mute",
            "--frames N",
            "--screenshot FILE",
            "--benchmark N",
            "--fullscreen",
            "--record FILE",
            "--help",
            "--version",
        ):
            self.assertIn(option, shown.stdout)
        self.assertEqual(shown.stderr, "")

        shown = run_without_display("--version")
        self.assertEqual(shown.returncode, 0, shown.stderr)
        self.assertEqual(shown.stdout, "glintmere %s\n" % VERSION)

    def test_unknown_and_malformed_options_exit_with_status_2(self):
        for args, message in (
            (["--bogus"], "glintmere: unrecognized option '--bogus'"),
            (["--frames", "ten"], "glintmere: invalid frame count 'ten' for '--frames'"),
            (["--screenshot", "x.png"], "glintmere: option '--screenshot' needs '--frames N'"),
        ):
            shown = run_without_display(*args)
            self.assertEqual(shown.returncode, 2, args)
            self.assertEqual(shown.stdout, "", args)
            self.assertEqual(shown.stderr.splitlines()[0], message)
            self.assertIn("--help", shown.stderr)


class CountedRunTest(E2ETestCase):
    def test_frames_with_a_screenshot_saves_the_last_frame_as_png(self):
        workdir = make_workdir()
        run = self.start("--frames", "3", "--screenshot", "last frame.png", "--mute", workdir=workdir, wait=False)
        self.assertEqual(run.wait_exit(), 0, run.err.all())
        self.assertEqual(run.out.all(), [HINT])
        image = read_png(os.path.join(workdir, "last frame.png"))
        self.assertEqual((image.width, image.height), (WINDOW_WIDTH, WINDOW_HEIGHT))
        # The saved frame is the start view: the white bulb, and the wallpaper where the camera puts it.
        camera = Camera()
        bulb = camera.project((0, 4, 0))
        self.assertEqual(image.pixel(round(bulb[0]), round(bulb[1])), (255, 255, 255))
        wallpaper = Bitmap(texture_path(BUILD_DIR, "wallPaper1"))
        self.assertLess(wallpaper_mismatch(image, wallpaper, camera, (430, 200, 480, 250)), 0.05)

    def test_benchmark_prints_its_figures_to_standard_error(self):
        run = self.start("--benchmark", "5", "--mute", wait=False)
        run.expected_errors = BENCHMARK_REPORT
        self.assertEqual(run.wait_exit(timeout=3 * DEFAULT_TIMEOUT), 0, run.err.all())
        self.assertEqual(run.out.all(), [HINT])
        summary = [line for line in run.err.all() if line.startswith("benchmark ")]
        self.assertEqual(len(summary), 1, run.err.all())
        figures = dict(field.split("=") for field in summary[0].split()[1:])
        self.assertEqual((figures["frames"], figures["width"], figures["height"]), ("5", "1200", "600"))
        for name in ("median_ms", "p99_ms", "fps", "empty_median_ms", "ratio"):
            self.assertRegex(figures[name], r"^\d+\.\d+$", name)
            self.assertGreater(float(figures[name]), 0.0, name)
        self.assertGreaterEqual(float(figures["p99_ms"]), float(figures["median_ms"]))


class DrawingChoiceAtStartTest(E2ETestCase):
    """Start-up draws with buffer objects where the driver's GL has them (1.5 and later), and the
    straightforward way, after one line, where it has not. Mesa reports the version it is told to
    (MESA_GL_VERSION_OVERRIDE), as an old driver would report its own."""

    NO_BUFFERS = "glintmere: OpenGL 1.4 Mesa .+ has no buffer objects; every frame is drawn the straightforward way"

    def drawing(self, gl_version=None):
        """The benchmark's drawing line, and the lines saying the GL has no buffer objects."""
        env = {"MESA_GL_VERSION_OVERRIDE": gl_version} if gl_version else None
        run = self.start("--benchmark", "5", "--mute", env=env, wait=False)
        run.expected_errors = BENCHMARK_REPORT + [self.NO_BUFFERS]
        self.assertEqual(run.wait_exit(timeout=3 * DEFAULT_TIMEOUT), 0, run.err.all())
        said = [line for line in run.err.all() if "buffer objects" in line]
        return [line for line in run.err.all() if line.startswith("drawing: ")], said

    def test_the_drawing_follows_the_drivers_gl_version(self):
        self.assertEqual(self.drawing(), (["drawing: fast"], []))
        self.assertEqual(self.drawing("1.5"), (["drawing: fast"], []))
        drawing, said = self.drawing("1.4")
        self.assertEqual(drawing, ["drawing: straightforward"])
        self.assertEqual(len(said), 1, said)
        self.assertRegex(said[0], self.NO_BUFFERS)


if __name__ == "__main__":
    unittest.main()
