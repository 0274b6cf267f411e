# test_windows_recording.py -- --record on Windows: a .y4m clip where the user started the exe, and
# any other format refused at start, since the exe runs no ffmpeg.
import os
import re

from glintmere_app import E2ETestCase, make_workdir, windows_path
from scene_model import WINDOW_HEIGHT, WINDOW_WIDTH
from xdisplay import png_size

HEADER = b"YUV4MPEG2 W%d H%d F60:1 Ip A1:1 C420jpeg\n" % (WINDOW_WIDTH, WINDOW_HEIGHT)
# "FRAME\n", then 4:2:0 planes: a full-size Y plane and U and V planes of half the width and height.
FRAME_BYTES = len(b"FRAME\n") + WINDOW_WIDTH * WINDOW_HEIGHT * 3 // 2


class WindowsRecordingTest(E2ETestCase):
    def setUp(self):
        super().setUp()
        # The exe makes its own folder the working folder; the user's names stay relative to the
        # folder it was started from, here one beside the exe's.
        self.workdir = make_workdir()
        self.started_in = os.path.join(self.workdir, "started here")
        os.mkdir(self.started_in)

    def test_a_y4m_clip_is_written_where_the_exe_was_started(self):
        run = self.start(
            "--mute", "--frames", "3", "--record", "clip.y4m", workdir=self.workdir, cwd=self.started_in, wait=False
        )
        self.assertEqual(run.wait_exit(), 0, run.err.all())
        with open(os.path.join(self.started_in, "clip.y4m"), "rb") as clip:
            data = clip.read()
        self.assertEqual(data[: len(HEADER)], HEADER)
        self.assertEqual(len(data), len(HEADER) + 3 * FRAME_BYTES)
        self.assertEqual(data[len(HEADER) + 2 * FRAME_BYTES :][:6], b"FRAME\n")
        self.assertFalse(os.path.exists(os.path.join(self.workdir, "clip.y4m")), "written beside the exe")

    def test_another_format_is_refused_before_the_window_opens(self):
        wanted = windows_path(os.path.join(self.started_in, "clip.mp4"))
        message = (
            "glintmere: cannot record to %s: on Windows Glintmere records only .y4m files (record to %s, "
            "and convert it with ffmpeg if you need another format)" % (wanted, wanted[: -len(".mp4")] + ".y4m")
        )
        run = self.start(
            "--mute", "--frames", "3", "--record", "clip.mp4", workdir=self.workdir, cwd=self.started_in, wait=False
        )
        run.expected_errors.append(re.escape(message))
        self.assertEqual(run.wait_exit(), 1)
        self.assertEqual(run.out.all(), [])
        self.assertIn(message, run.err.all())
        self.assertEqual(os.listdir(self.started_in), [])


class AnyFolderNameTest(E2ETestCase):
    """The exe in a folder whose name has letters outside the ANSI code page and a space, started from
    another such folder: the user's names reach the files whole, and the textures and sounds beside
    the exe are still found."""

    # Wine takes this machine's file names as UTF-8 in this locale; Windows' ANSI code page (1252 for
    # it) has the umlaut but neither the Greek nor the Chinese letters.
    LOCALE = {"LC_ALL": "C.UTF-8"}

    def setUp(self):
        super().setUp()
        self.workdir = make_workdir(name="Jörg Ωμέγα ")
        self.started_in = os.path.join(self.workdir, "gestartet hier 片")
        os.mkdir(self.started_in)

    def test_a_screenshot_and_a_clip_are_written_under_the_names_given(self):
        run = self.start(
            "--frames",
            "3",
            "--screenshot",
            "Bild Ωμέγα.png",
            "--record",
            "Clip ü 片.y4m",
            workdir=self.workdir,
            cwd=self.started_in,
            env=self.LOCALE,
            wait=False,
        )
        self.assertEqual(run.wait_exit(), 0, run.err.all())
        self.assertEqual(sorted(os.listdir(self.started_in)), ["Bild Ωμέγα.png", "Clip ü 片.y4m"])
        self.assertEqual(png_size(os.path.join(self.started_in, "Bild Ωμέγα.png")), (WINDOW_WIDTH, WINDOW_HEIGHT))
        clip = os.path.getsize(os.path.join(self.started_in, "Clip ü 片.y4m"))
        self.assertEqual(clip, len(HEADER) + 3 * FRAME_BYTES)

    def test_a_name_that_cannot_be_written_is_said_as_given(self):
        wanted = os.path.join(self.started_in, "fehlt ü", "Clip 片.y4m")
        run = self.start(
            "--mute",
            "--frames",
            "3",
            "--record",
            "fehlt ü/Clip 片.y4m",
            workdir=self.workdir,
            cwd=self.started_in,
            env=self.LOCALE,
            wait=False,
        )
        message = "glintmere: cannot record to %s: No such file or directory" % windows_path(wanted)
        # The program writes names in UTF-8; the output is read byte for byte.
        run.expected_errors.append(re.escape(message.encode("utf-8").decode("latin-1")))
        self.assertEqual(run.wait_exit(), 1)
        self.assertIn(message, [line.encode("latin-1").decode("utf-8") for line in run.err.all()])
