# test_recording.py -- --record: the clip holds every frame shown, as shown, and a failing sink ends
# only the recording.
import os
import shutil
import subprocess
import tempfile
import unittest

from glintmere_app import HINT, E2ETestCase, make_workdir
from scene_model import WINDOW_HEIGHT, WINDOW_WIDTH
from xdisplay import read_png


def read_y4m(path):
    """(header fields, [(Y, U, V) planes of each frame]) of a 4:2:0 YUV4MPEG2 file."""
    with open(path, "rb") as handle:
        blob = handle.read()
    end = blob.index(b"\n")
    fields = blob[:end].decode().split()
    if fields[0] != "YUV4MPEG2":
        raise AssertionError("not a YUV4MPEG2 stream: %r" % blob[:40])
    header = {field[0]: field[1:] for field in fields[1:]}
    width, height = int(header["W"]), int(header["H"])
    luma, chroma = width * height, ((width + 1) // 2) * ((height + 1) // 2)
    frames, pos = [], end + 1
    while pos < len(blob):
        if blob[pos:pos + 6] != b"FRAME\n":
            raise AssertionError("frame %d does not start with FRAME at byte %d" % (len(frames), pos))
        pos += 6
        planes = blob[pos:pos + luma], blob[pos + luma:pos + luma + chroma], blob[pos + luma + chroma:pos + luma + 2 * chroma]
        if len(planes[2]) != chroma:
            raise AssertionError("frame %d is cut short" % len(frames))
        frames.append(planes)
        pos += luma + 2 * chroma
    return header, frames


def studio_luma(image):
    """BT.601 studio-range luma of every pixel of an RGB picture, rows top down."""
    d = image.data
    return [16 + (65.481 * d[i] + 128.553 * d[i + 1] + 24.966 * d[i + 2]) / 255 for i in range(0, len(d), 3)]


def studio_chroma(image, cx, cy):
    """BT.601 (U, V) of the mean colour of the 2 by 2 block at chroma position (cx, cy)."""
    block = image.patch(2 * cx, 2 * cy, 2 * cx + 2, 2 * cy + 2)
    r, g, b = (sum(p[c] for p in block) / len(block) for c in range(3))
    return 128 + (-37.797 * r - 74.203 * g + 112 * b) / 255, 128 + (112 * r - 93.786 * g - 18.214 * b) / 255


def video_stream(path):
    """(width, height, frames) of a clip's first video stream, as ffprobe reads it."""
    probe = subprocess.run(["ffprobe", "-v", "error", "-count_frames", "-select_streams", "v:0", "-show_entries",
                            "stream=width,height,nb_read_frames", "-of", "csv=p=0", path], capture_output=True, text=True)
    if probe.returncode != 0:
        raise AssertionError("ffprobe cannot read %s: %s" % (path, probe.stderr.strip()))
    return tuple(int(field) for field in probe.stdout.strip().split(","))


class RecordedClipTest(E2ETestCase):
    def test_the_clip_holds_every_frame_as_shown(self):
        workdir = make_workdir()
        frames = 6
        run = self.start("--mute", "--frames", str(frames), "--record", "clip one.y4m", "--screenshot", "last.png",
                         workdir=workdir, wait=False)
        self.assertEqual(run.wait_exit(), 0, run.err.all())
        # Recording changes nothing the program prints.
        self.assertEqual(run.out.all(), [HINT])
        self.assertEqual([line for line in run.err.all() if "record" in line], [])

        header, clip = read_y4m(os.path.join(workdir, "clip one.y4m"))
        self.assertEqual((header["W"], header["H"], header["F"], header["C"]),
                         (str(WINDOW_WIDTH), str(WINDOW_HEIGHT), "60:1", "420jpeg"))
        self.assertEqual(len(clip), frames)

        # The last frame is the screenshot of the same frame: luma to within rounding everywhere,
        # each chroma sample to within rounding of its block's mean colour.
        shot = read_png(os.path.join(workdir, "last.png"))
        expected = studio_luma(shot)
        y, u, v = clip[-1]
        off = sum(1 for got, want in zip(y, expected) if abs(got - want) > 1.01)
        self.assertEqual(off, 0, "%d luma samples differ from the screenshot" % off)
        chroma_width = WINDOW_WIDTH // 2
        for cx, cy in ((0, 0), (300, 20), (150, 150), (599, 299), (310, 200), (450, 120)):
            want_u, want_v = studio_chroma(shot, cx, cy)
            got_u, got_v = u[cy * chroma_width + cx], v[cy * chroma_width + cx]
            self.assertLessEqual(abs(got_u - want_u), 2, (cx, cy, got_u, want_u))
            self.assertLessEqual(abs(got_v - want_v), 2, (cx, cy, got_v, want_v))

        # The frames before it are other frames of the moving aquarium, not copies of the last.
        for earlier in clip[:-1]:
            self.assertGreater(sum(1 for a, b in zip(earlier[0], y) if a != b), 0)


class OddSizedWindowTest(E2ETestCase):
    screen = (1201, 601)  # full screen, a window of odd width and height

    def test_an_encoder_that_needs_an_even_size_gets_one(self):
        # ffmpeg's H.264 encoder, the one behind .mp4, refuses odd sizes.
        workdir = make_workdir()
        run = self.start("--mute", "--fullscreen", "--frames", "3", "--record", "clip.mp4", workdir=workdir,
                         wait=False)
        self.assertEqual(run.wait_exit(), 0, run.err.all())
        self.assertEqual(video_stream(os.path.join(workdir, "clip.mp4")), (1202, 602, 3))


class FailingSinkTest(E2ETestCase):
    def setUp(self):
        super().setUp()
        self.bin = tempfile.mkdtemp(prefix="glintmere-fake-bin-")
        self.addCleanup(shutil.rmtree, self.bin, True)

    def fake_ffmpeg(self, body):
        path = os.path.join(self.bin, "ffmpeg")
        with open(path, "w") as handle:
            handle.write("#!/bin/sh\n" + body + "\n")
        os.chmod(path, 0o755)

    def run_to_end(self, *args, path=None, status=0):
        workdir = make_workdir()
        env = {"PATH": path} if path is not None else None
        run = self.start("--mute", *args, workdir=workdir, env=env, wait=False)
        self.assertEqual(run.wait_exit(), status, run.err.all())
        return run, workdir

    def test_a_full_disk_or_a_closed_pipe_ends_the_recording_and_nothing_else(self):
        workdir = make_workdir()
        os.symlink("/dev/full", os.path.join(workdir, "full.y4m"))
        run = self.start("--mute", "--frames", "5", "--record", "full.y4m", workdir=workdir, wait=False)
        self.assertEqual(run.wait_exit(), 0, run.err.all())
        self.assertEqual(run.out.all(), [HINT])
        self.assertEqual([line for line in run.err.all() if "record" in line],
                         ["glintmere: the recording to full.y4m stopped: No space left on device; "
                          "the frames before are kept"])

        # An encoder that reads part of the first frame and goes away.
        self.fake_ffmpeg("head -c 100000 >/dev/null")
        run, _ = self.run_to_end("--frames", "5", "--record", "clip.mp4", path=self.bin + ":/usr/bin:/bin")
        self.assertEqual(run.out.all(), [HINT])
        self.assertEqual([line for line in run.err.all() if "record" in line],
                         ["glintmere: the recording to clip.mp4 stopped: ffmpeg closed its input; "
                          "the frames before are kept"])

    def test_other_names_go_through_ffmpeg_or_are_refused_plainly_without_it(self):
        # ffmpeg is handed the stream on its standard input and the file name as its output.
        self.fake_ffmpeg('printf "%s\\n" "$@" > ffmpeg-args; cat > ffmpeg-input')
        run, workdir = self.run_to_end("--frames", "3", "--record", "-odd:name.webm",
                                       path=self.bin + ":/usr/bin:/bin")
        self.assertEqual(run.out.all(), [HINT])
        with open(os.path.join(workdir, "ffmpeg-args")) as handle:
            args = handle.read().split("\n")[:-1]
        self.assertEqual(args[args.index("-f") + 1:args.index("-i") + 2], ["yuv4mpegpipe", "-i", "-"])
        self.assertEqual(args[-1], "file:-odd:name.webm")
        header, clip = read_y4m(os.path.join(workdir, "ffmpeg-input"))
        self.assertEqual((header["W"], header["H"], len(clip)), (str(WINDOW_WIDTH), str(WINDOW_HEIGHT), 3))

        run, _ = self.run_to_end("--record", "clip.mp4", path=self.bin + "-nothing-here", status=1)
        self.assertEqual(run.out.all(), [])  # refused before anything started
        self.assertIn("ffmpeg is not installed", "\n".join(run.err.all()))
        self.assertIn(".y4m", "\n".join(run.err.all()))


if __name__ == "__main__":
    unittest.main()
